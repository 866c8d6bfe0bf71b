#include "calculators/TrimixController.h"

#include <QLabel>
#include <QLineEdit>

#include "calculators/TrimixCalculator.h"
#include "localisation/UiText.h"

bool TrimixController::serves(const QString& layout) {
    return layout == QLatin1String("Trimix") || layout == QLatin1String("Trimix Prof Min") ||
           layout == QLatin1String("Best Trimix");
}

TrimixController::TrimixController(divelog::AppContext& context, const UiText& text,
                                   const QString& layout)
    : CalculatorWindow(context, text, layout),
      kind_(layout == QLatin1String("Trimix Prof Min") ? Kind::MinimumDepth
            : layout == QLatin1String("Best Trimix")   ? Kind::BestTrimix
                                                       : Kind::EadEnd) {
    switch (kind_) {
        case Kind::EadEnd:
            field("profondeurMaxField", "Depth");
            field("fracO2TxField", "Oxygen percent");
            field("fracHeTxField", "Helium percent");
            break;
        case Kind::MinimumDepth:
            field("fracO2TxField", "Oxygen percent");
            break;
        case Kind::BestTrimix:
            field("depthTxField", "Planned depth");
            field("ENDField", "Wanted END");
            field("ppO2Field", "Max ppO2");
            break;
    }
    addComputeButton(text.main("Compute"));
    result_ = addResult("resultatField");
    setMinimumWidth(360);
}

QLineEdit* TrimixController::field(const char* name, const char* labelKey) {
    return addNumberField(text_.text("Trimix", labelKey), name);
}

void TrimixController::compute() {
    namespace tx = divelog::trimix;
    auto in = [this](const char* name) { return value(findChild<QLineEdit*>(name)); };
    divelog::Shown shown;
    switch (kind_) {
        case Kind::EadEnd:
            shown = textOf(
                tx::eadEnd(in("profondeurMaxField"), in("fracO2TxField"), in("fracHeTxField")),
                tx::kEadEndText);
            break;
        case Kind::MinimumDepth:
            shown = textOf(tx::minimumDepth(in("fracO2TxField")), tx::kMinimumDepthText);
            break;
        case Kind::BestTrimix:
            shown = textOf(tx::bestTrimix(in("depthTxField"), in("ENDField"), in("ppO2Field")),
                           tx::kBestTrimixText);
            break;
    }
    showAnswer(result_, shown);
}
