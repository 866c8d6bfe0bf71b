#include "stats/EarlierDivesWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "localisation/UiText.h"
#include "stats/StatCategory.h"

namespace {
using divelog::StatCategories;
}  // namespace

EarlierDivesWindow::EarlierDivesWindow(const UiText& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("earlierDivesWindow"));
    setWindowTitle(text.carnet("Earlier dives title"));
    auto make = [this](std::string_view key) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(key.data(), int(key.size())));
        edit->setValidator(new QIntValidator(-1'000'000, 1'000'000'000, edit));
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(90);
        fields_.emplace(std::string(key), edit);
        return edit;
    };
    auto group = [&](const QString& title, std::span<const divelog::StatCategory> categories) {
        auto* box = new QGroupBox(title, this);
        auto* form = new QFormLayout(box);
        for (divelog::StatCategory c : categories)
            form->addRow(QString::fromStdString(StatCategories::title(c, text.localisation())),
                         make(StatCategories::info(c).earlierKey));
        return box;
    };
    auto* left = new QVBoxLayout;
    left->addWidget(group(text.carnet("Statistics types box"), StatCategories::diveTypes()));
    auto* middle = new QVBoxLayout;
    middle->addWidget(group(text.carnet("Statistics apparatus box"), StatCategories::apparatus()));
    middle->addWidget(group(text.carnet("Statistics gas box"), StatCategories::gases()));
    middle->addWidget(group(text.carnet("Statistics depth box"), StatCategories::depthBands()));
    // The totals and extremes: the keys that are no category, the number of
    // dives first since the others only count with it.
    auto* totals = new QGroupBox(text.carnet("Earlier totals box"), this);
    auto* form = new QFormLayout(totals);
    form->addRow(text.carnet("Earlier total plongees"), make("total plongees"));
    for (std::string_view key : divelog::EarlierDives::keys()) {
        bool category = key == "total plongees";
        for (const auto& i : StatCategories::all()) category = category || i.earlierKey == key;
        if (!category) form->addRow(text.carnet("Earlier " + std::string(key)), make(key));
    }
    auto* right = new QVBoxLayout;
    right->addWidget(totals);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);

    auto* note = new QLabel(text.carnet("Earlier dives note"), this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(text.carnet("Validate"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("validateStatisticsValues"));
    save->setDefault(true);
    buttons->addButton(text.main("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &EarlierDivesWindow::validate);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(note);
    column->addLayout(columns);
    column->addWidget(buttons);
}

QLineEdit* EarlierDivesWindow::field(std::string_view key) const {
    auto it = fields_.find(key);
    return it == fields_.end() ? nullptr : it->second;
}

void EarlierDivesWindow::load(const divelog::EarlierDives& values) {
    for (auto& [key, edit] : fields_) {
        if (divelog::EarlierDives::isExtreme(key)) {
            const auto v = values.extreme(key);
            edit->setText(v ? QString::number(*v) : QString());
        } else {
            edit->setText(QString::number(values.count(key)));
        }
    }
}

divelog::EarlierDives EarlierDivesWindow::values() const {
    divelog::EarlierDives v;
    for (const auto& [key, edit] : fields_) {
        bool ok = false;
        const double n = edit->text().trimmed().toDouble(&ok);
        if (ok)
            v.set(key, n);
        else if (!divelog::EarlierDives::isExtreme(key))
            v.set(key, 0.0);
    }
    return v;
}

void EarlierDivesWindow::validate() {
    accept();
    emit validated();
}
