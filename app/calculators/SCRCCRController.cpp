#include "calculators/SCRCCRController.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "calculators/RebreatherCalculator.h"
#include "localisation/UiText.h"

namespace rb = divelog::rebreather;

bool SCRCCRController::serves(const QString& layout) {
    return layout == QLatin1String("Soda Time") ||
           layout == QLatin1String("SCR Breathed Frac O2") ||
           layout == QLatin1String("SCR Flow Calc");
}

SCRCCRController::SCRCCRController(divelog::AppContext& context, const UiText& text,
                                   const QString& layout)
    : CalculatorWindow(context, text, layout),
      kind_(layout == QLatin1String("SCR Breathed Frac O2") ? Kind::BreathedFraction
            : layout == QLatin1String("SCR Flow Calc")      ? Kind::IdealFlow
                                                            : Kind::SodaTime) {
    switch (kind_) {
        case Kind::SodaTime:
            field("sodaWeightField", "Soda weight");
            field("sodaCapacityField", "Soda capacity");
            field("metabolicProductionField", "CO2 production");
            addComputeButton(text.main("Compute"));
            result_ = addResult("sodaTimeField");
            break;
        case Kind::BreathedFraction:
            field("brEanxField", "Supply oxygen");
            field("brFlowField", "Flow");
            field("brMetabolicField", "O2 consumption");
            addComputeButton(text.main("Compute"));
            result_ = addResult("breathedFracO2Field");
            addTable('c', "Breathed table");
            break;
        case Kind::IdealFlow:
            field("idEanxField", "Supply oxygen");
            field("idRealFracO2Field", "Loop oxygen");
            field("idMetabolicField", "O2 consumption");
            addComputeButton(text.main("Compute"));
            result_ = addResult("idealFlowField");
            addTable('d', "Flow table");
            break;
    }
    setMinimumWidth(400);
}

QLineEdit* SCRCCRController::field(const char* name, const char* labelKey) {
    return addNumberField(text_.text("Rebreather", labelKey), name);
}

void SCRCCRController::addTable(char prefix, const char* titleKey) {
    auto* group = new QGroupBox(text_.text("Rebreather", titleKey), this);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(24);
    // Two columns, top to bottom, so the consumptions read in order.
    const int perColumn = (rb::kTableRows + 1) / 2;
    // Wide enough for the longest cell, so the window does not jump as it fills.
    const divelog::ResultFormat row = prefix == 'c' ? rb::kBreathedRowText : rb::kFlowRowText;
    const divelog::WhyText& none = divelog::whyText(divelog::Why::NotReachableRow);
    const QString widest[] = {text_.format(row.table, row.key, "error !", {1.8, 100.0}),
                              text_.format(none.table, none.key, none.english, {1.8})};
    for (int r = 0; r < rb::kTableRows; ++r) {
        auto* cell = new QLabel(group);
        cell->setObjectName(
            QStringLiteral("%1%2Field").arg(prefix).arg(8 + r, 2, 10, QLatin1Char('0')));
        cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
        cell->setMinimumWidth(std::max(cell->fontMetrics().horizontalAdvance(widest[0]),
                                       cell->fontMetrics().horizontalAdvance(widest[1])));
        grid->addWidget(cell, r % perColumn, r / perColumn);
        cells_.append(cell);
    }
    box_->addWidget(group);
}

void SCRCCRController::compute() {
    auto in = [this](const char* name) { return value(findChild<QLineEdit*>(name)); };
    std::vector<divelog::Answer> rows;
    divelog::ResultFormat rowFormat{};
    switch (kind_) {
        case Kind::SodaTime:
            showAnswer(result_, textOf(rb::sodaTime(in("sodaWeightField"), in("sodaCapacityField"),
                                                    in("metabolicProductionField")),
                                       rb::kSodaTimeText));
            return;
        case Kind::BreathedFraction:
            showAnswer(result_, textOf(rb::breathedFraction(in("brEanxField"), in("brFlowField"),
                                                            in("brMetabolicField")),
                                       rb::kBreathedText));
            rows = rb::breathedTable(in("brEanxField"), in("brFlowField"));
            rowFormat = rb::kBreathedRowText;
            break;
        case Kind::IdealFlow:
            showAnswer(result_, textOf(rb::idealFlow(in("idEanxField"), in("idRealFracO2Field"),
                                                     in("idMetabolicField")),
                                       rb::kIdealFlowText));
            rows = rb::flowTable(in("idEanxField"), in("idRealFracO2Field"));
            rowFormat = rb::kFlowRowText;
            break;
    }
    for (int r = 0; r < cells_.size(); ++r) {
        if (rows.empty()) {
            cells_[r]->clear();
            continue;
        }
        const divelog::Shown shown = textOf(rows[r], rowFormat);
        cells_[r]->setText(QString::fromStdString(shown.text));
        setAlert(cells_[r], shown.alert);
    }
}
