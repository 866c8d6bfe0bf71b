#include "calculators/PhysiqueController.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "localisation/UiText.h"

namespace un = divelog::units;

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

PhysiqueController::PhysiqueController(divelog::AppContext& context, const UiText& text)
    : CalculatorWindow(context, text, QStringLiteral("Physique")) {
    tabView_ = new QTabWidget(this);
    tabView_->setObjectName(QStringLiteral("conversionsTabView"));
    for (un::Quantity quantity : un::kQuantities) {
        const std::string_view id = un::tabId(quantity);
        tabView_->addTab(buildTab(quantity), text.text("Physique", id));
    }
    box_->addWidget(tabView_);
    addComputeButton(text.text("Physique", "Convert"));
    firstField_ = tabs_.front().fields.front();
    setMinimumWidth(420);
}

QWidget* PhysiqueController::buildTab(un::Quantity quantity) {
    auto* page = new QWidget(tabView_);
    page->setObjectName(q(un::tabId(quantity)));
    auto* grid = new QGridLayout(page);
    Tab tab{quantity, new QButtonGroup(page), {}, nullptr};
    tab.group->setObjectName(q(un::sourceChoice(quantity)));
    const bool negative = quantity == un::Quantity::Temperature;
    const auto units = un::unitsOf(quantity);
    for (std::size_t i = 0; i < units.size(); ++i) {
        auto* radio = new QRadioButton(text_.text("Physique", units[i].key), page);
        tab.group->addButton(radio, int(i) + 1);
        QLineEdit* field = numberField(units[i].control, negative);
        field->setParent(page);
        grid->addWidget(radio, int(i), 0);
        grid->addWidget(field, int(i), 1);
        // The field typed in is the source, and the others follow at once.
        connect(field, &QLineEdit::textEdited, this, [this, radio] {
            radio->setChecked(true);
            compute();
        });
        tab.fields.push_back(field);
    }
    tab.group->button(1)->setChecked(true);
    const int next = int(units.size());
    auto* hint = new QLabel(text_.text("Physique", "Source hint"), page);
    hint->setWordWrap(true);
    grid->addWidget(hint, next, 0, 1, 2);
    tab.message = new QLabel(page);
    tab.message->setObjectName(QStringLiteral("messageField"));
    tab.message->setWordWrap(true);
    setAlert(tab.message, true);
    grid->addWidget(tab.message, next + 1, 0, 1, 2);
    grid->setRowStretch(next + 2, 1);
    grid->setColumnStretch(1, 1);
    tabs_.push_back(tab);
    return page;
}

void PhysiqueController::compute() {
    const int index = tabView_->currentIndex();
    if (index < 0 || index >= int(tabs_.size())) return;
    const Tab& tab = tabs_[index];
    // Radio tag 1 is the first unit; any other state means the last one.
    const int id = tab.group->checkedId();
    const std::size_t from =
        id >= 1 && id <= int(tab.fields.size()) ? std::size_t(id - 1) : tab.fields.size() - 1;
    const divelog::Answer answer = un::convert(tab.quantity, from, value(tab.fields[from]));
    const divelog::Shown shown = textOf(answer, {"", ""});
    tab.message->setText(answer.ok() ? QString() : QString::fromStdString(shown.text));
    for (std::size_t i = 0; i < tab.fields.size(); ++i) {
        if (i == from) continue;
        tab.fields[i]->setText(answer.ok() ? QString::fromStdString(un::valueText(answer.value(i)))
                                           : QString());
    }
}
