#include "calculators/FormCalculator.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "calculators/CalculatorLayouts.h"
#include "calculators/NitroxCalculator.h"
#include "calculators/RebreatherCalculator.h"
#include "localisation/UiText.h"

namespace cl = divelog::calculators;

FormCalculator::FormCalculator(divelog::AppContext& context, const UiText& text,
                               const cl::CalculatorLayout& layout)
    : CalculatorWindow(context, text, QString::fromLatin1(layout.layout)), layout_(layout) {
    for (const cl::NumberField& f : layout.fields)
        fields_.push_back(
            addNumberField(text.text(layout.table, f.labelKey), f.control, cl::kFieldTyping));
    if (layout.ppO2PopUp) addPpO2PopUp();
    addComputeButton(text.main("Compute"));
    result_ = addResult(layout.result);
    if (layout.rows) addTable(*layout.rows);
    setMinimumWidth(layout.minimumWidth);
}

void FormCalculator::addPpO2PopUp() {
    namespace nx = divelog::nitrox;
    ppO2PopUp_ = new QComboBox(this);
    ppO2PopUp_->setObjectName(QStringLiteral("ppO2PopUp"));
    for (int i = 0; i < nx::kPpO2Choices; ++i)
        ppO2PopUp_->addItem(
            text_.format(layout_.table, "ppO2 item", "%.1f bar", {nx::ppO2Choice(i)}));
    ppO2PopUp_->setCurrentIndex(2);
    form_->addRow(text_.text(layout_.table, "Max ppO2"), ppO2PopUp_);
}

void FormCalculator::addTable(const cl::RowTable& table) {
    namespace rb = divelog::rebreather;
    auto* group = new QGroupBox(text_.text(layout_.table, table.titleKey), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(24);
    // Two columns, top to bottom, so the consumptions read in order.
    const int perColumn = (rb::kTableRows + 1) / 2;
    // Wide enough for the longest cell, so the window does not jump as it fills.
    const divelog::WhyText& none = divelog::whyText(divelog::Why::NotReachableRow);
    const QString widest[] = {text_.format(table.row.table, table.row.key, "error !", {1.8, 100.0}),
                              text_.format(none.table, none.key, none.english, {1.8})};
    for (int r = 0; r < rb::kTableRows; ++r) {
        auto* cell = new QLabel(group);
        cell->setObjectName(
            QStringLiteral("%1%2Field").arg(table.prefix).arg(8 + r, 2, 10, QLatin1Char('0')));
        cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
        cell->setMinimumWidth(std::max(cell->fontMetrics().horizontalAdvance(widest[0]),
                                       cell->fontMetrics().horizontalAdvance(widest[1])));
        grid->addWidget(cell, r % perColumn, r / perColumn);
        cells_.append(cell);
    }
    box_->addWidget(group);
}

void FormCalculator::compute() {
    std::vector<std::string> texts;
    for (const QLineEdit* f : fields_) texts.push_back(f->text().trimmed().toStdString());
    const cl::FieldValues typed = cl::readFields(layout_, texts, loc());
    const double ppO2 = ppO2PopUp_ ? divelog::nitrox::ppO2Choice(ppO2PopUp_->currentIndex()) : 0;
    showAnswer(result_, textOf(typed.refusal ? *typed.refusal : layout_.compute(typed.values, ppO2),
                               layout_.format));
    if (!layout_.rows) return;
    // Fields that make no answer make no table either.
    const std::vector<divelog::Answer> rows =
        typed.refusal ? std::vector<divelog::Answer>() : layout_.rows->rows(typed.values);
    for (int r = 0; r < cells_.size(); ++r) {
        if (rows.empty()) {
            cells_[r]->clear();
            continue;
        }
        const divelog::Shown shown = textOf(rows[r], layout_.rows->row);
        cells_[r]->setText(QString::fromStdString(shown.text));
        setAlert(cells_[r], shown.alert);
    }
}
