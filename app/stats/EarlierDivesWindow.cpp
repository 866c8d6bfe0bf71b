#include "stats/EarlierDivesWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "localisation/UiText.h"
#include "stats/StatCategory.h"
#include "tools/NumberFieldValidator.h"
#include "util/Numbers.h"

namespace {
using divelog::StatCategories;
}  // namespace

EarlierDivesWindow::EarlierDivesWindow(const UiText& text, QWidget* parent)
    : QDialog(parent), text_(text) {
    setObjectName(QStringLiteral("earlierDivesWindow"));
    setWindowTitle(text.carnet("Earlier dives title"));
    auto make = [this](std::string_view key, const QString& label) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(key.data(), int(key.size())));
        const std::string name(key);
        edit->setValidator(new NumberFieldValidator(
            edit, divelog::EarlierDives::rule(name), [this, name, label](const std::string& t) {
                const auto verdict = divelog::checkNumberText(divelog::EarlierDives::rule(name), t);
                return NumberFieldValidator::Verdict{verdict, messageFor(name, label)};
            }));
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(90);
        fields_.emplace(name, Field{edit, label});
        return edit;
    };
    auto group = [&](const QString& title, std::span<const divelog::StatCategory> categories) {
        auto* box = new QGroupBox(title, this);
        auto* form = new QFormLayout(box);
        for (divelog::StatCategory c : categories) {
            const QString label =
                QString::fromStdString(StatCategories::title(c, text.localisation()));
            form->addRow(label, make(StatCategories::info(c).earlierKey, label));
        }
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
    const QString total = text.carnet("Earlier total plongees");
    form->addRow(total, make("total plongees", total));
    for (std::string_view key : divelog::EarlierDives::keys()) {
        bool category = key == "total plongees";
        for (const auto& i : StatCategories::all()) category = category || i.earlierKey == key;
        if (category) continue;
        const QString label = text.carnet("Earlier " + std::string(key));
        form->addRow(label, make(key, label));
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
    return it == fields_.end() ? nullptr : it->second.edit;
}

std::string EarlierDivesWindow::messageFor(std::string_view key, const QString& label) const {
    const divelog::NumberRule rule = divelog::EarlierDives::rule(key);
    return text_
        .format(
            "Carnet", "Number range whole", "%@: %@ to %@",
            {label.toStdString(), divelog::decimalText(rule.min), divelog::decimalText(rule.max)})
        .toStdString();
}

QString EarlierDivesWindow::refusal() const {
    for (const auto& [key, f] : fields_) {
        const auto verdict = divelog::checkNumberText(divelog::EarlierDives::rule(key),
                                                      f.edit->text().trimmed().toStdString());
        if (verdict != divelog::NumberVerdict::Acceptable)
            return QString::fromStdString(messageFor(key, f.label));
    }
    return {};
}

void EarlierDivesWindow::load(const divelog::EarlierDives& values) {
    for (auto& [key, f] : fields_) {
        QLineEdit* edit = f.edit;
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
    for (const auto& [key, f] : fields_) {
        // The core reads numbers as the fields accept them, "," or ".".
        const auto n = divelog::readDecimal(f.edit->text().trimmed().toStdString());
        const bool ok = n.has_value();
        if (ok)
            v.set(key, *n);
        else if (!divelog::EarlierDives::isExtreme(key))
            v.set(key, 0.0);
    }
    return v;
}

void EarlierDivesWindow::validate() {
    if (const QString why = refusal(); !why.isEmpty()) {
        if (report_) report_(why);
        return;
    }
    accept();
    emit validated();
}
