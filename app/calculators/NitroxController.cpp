#include "calculators/NitroxController.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "calculators/NitroxCalculator.h"
#include "localisation/UiText.h"

namespace {

// In the order of NitroxController::Kind.
constexpr const char* kLayouts[] = {"Nitrox Prof Max", "Nitrox Best Mix", "Nitrox Equivalent Depth",
                                    "Nitrox Oxygen Window", "Blend Nitrox"};

int kindOf(const QString& layout) {
    for (int k = 0; k < int(std::size(kLayouts)); ++k)
        if (layout == QLatin1String(kLayouts[k])) return k;
    return -1;
}

}  // namespace

bool NitroxController::serves(const QString& layout) { return kindOf(layout) >= 0; }

NitroxController::NitroxController(divelog::AppContext& context, const UiText& text,
                                   const QString& layout)
    : CalculatorWindow(context, text, layout), kind_(Kind(std::max(kindOf(layout), 0))) {
    switch (kind_) {
        case Kind::ProfMax:
            field("fracO2Field", "Oxygen percent");
            addPpO2PopUp();
            break;
        case Kind::BestMix:
            field("profondeurMaxField", "Max depth");
            addPpO2PopUp();
            break;
        case Kind::EquivalentDepth:
            field("fracO2Field", "Oxygen percent");
            field("profondeurField", "Depth");
            break;
        case Kind::OxygenWindow:
            field("winFO2", "Oxygen percent");
            field("winMinPpO2", "Min ppO2");
            break;
        case Kind::Blend:
            field("pressionInitialeField", "Initial pressure");
            field("fracO2InitialeField", "Initial oxygen");
            field("pressionFinaleField", "Final pressure");
            field("fracO2FinaleField", "Final oxygen");
            break;
    }
    addComputeButton(text.main("Compute"));
    result_ = addResult(kind_ == Kind::OxygenWindow ? "winResult" : "resultatField");
    setMinimumWidth(kind_ == Kind::OxygenWindow ? 420 : 360);
}

QLineEdit* NitroxController::field(const char* name, const char* labelKey) {
    return addNumberField(text_.text("Nitrox", labelKey), name);
}

QComboBox* NitroxController::addPpO2PopUp() {
    ppO2PopUp_ = new QComboBox(this);
    ppO2PopUp_->setObjectName(QStringLiteral("ppO2PopUp"));
    for (int i = 0; i < divelog::nitrox::kPpO2Choices; ++i)
        ppO2PopUp_->addItem(
            text_.format("Nitrox", "ppO2 item", "%.1f bar", {divelog::nitrox::ppO2Choice(i)}));
    ppO2PopUp_->setCurrentIndex(2);
    form_->addRow(text_.text("Nitrox", "Max ppO2"), ppO2PopUp_);
    return ppO2PopUp_;
}

void NitroxController::compute() {
    namespace nx = divelog::nitrox;
    auto in = [this](const char* name) { return value(findChild<QLineEdit*>(name)); };
    const double ppO2 = ppO2PopUp_ ? nx::ppO2Choice(ppO2PopUp_->currentIndex()) : 0;
    divelog::Shown shown;
    switch (kind_) {
        case Kind::ProfMax:
            shown = textOf(nx::maxOperatingDepth(in("fracO2Field"), ppO2), nx::kMaxDepthText);
            break;
        case Kind::BestMix:
            shown = textOf(nx::bestMix(in("profondeurMaxField"), ppO2), nx::kBestMixText);
            break;
        case Kind::EquivalentDepth:
            shown = textOf(nx::equivalentAirDepth(in("fracO2Field"), in("profondeurField")),
                           nx::kEquivalentDepthText);
            break;
        case Kind::OxygenWindow:
            shown = textOf(nx::oxygenWindow(in("winFO2"), in("winMinPpO2")), nx::kOxygenWindowText);
            break;
        case Kind::Blend:
            shown = textOf(nx::blend(in("pressionInitialeField"), in("pressionFinaleField"),
                                     in("fracO2InitialeField"), in("fracO2FinaleField")),
                           nx::kBlendText);
            break;
    }
    showAnswer(result_, shown);
}
