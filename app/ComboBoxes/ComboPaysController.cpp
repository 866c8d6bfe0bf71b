#include "ComboBoxes/ComboPaysController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ComboBoxes/PickListPane.h"
#include "localisation/UiText.h"

ComboPaysController::ComboPaysController(divelog::AppContext& context, const UiText& text,
                                         UserPrompts& prompts)
    : PickListWindow(context, text, prompts, QStringLiteral("ComboPays")) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(16);
    const std::pair<const char*, const char*> lists[] = {{"pays", "Countries"},
                                                         {"countryCode", "Country codes"}};
    for (const auto& [key, heading] : lists) {
        auto* column = new QVBoxLayout;
        auto* label = new QLabel(text.main(heading), this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        column->addWidget(label);
        column->addWidget(makePane(key), 1);
        row->addLayout(column, 1);
    }
    resize(520, 420);
}
