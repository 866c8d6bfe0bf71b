#pragma once

#include "ComboBoxes/PickListWindow.h"

// The country editor: the country names ("pays") and the country codes
// ("countryCode") side by side, each with its own field, table and count.
class ComboPaysController : public PickListWindow {
    Q_OBJECT
public:
    ComboPaysController(divelog::AppContext& context, const UiText& text, UserPrompts& prompts);

    PickListPane* paysPane() const { return pane("pays"); }
    PickListPane* countryCodePane() const { return pane("countryCode"); }
};
