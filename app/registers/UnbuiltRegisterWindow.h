#pragma once

#include "DocumentWindow.h"

class QLabel;

// The window of a side register whose records this version does not know
// yet: it shows what the document is and how many
// records it holds, and can be saved and reopened as an empty register.
class UnbuiltRegisterWindow : public DocumentWindow {
    Q_OBJECT
public:
    UnbuiltRegisterWindow(std::unique_ptr<divelog::Document> document, divelog::AppContext& context,
                          const UiText& text, UserPrompts& prompts);

    QLabel* countLabel() const { return count_; }

protected:
    void reloadView() override;

private:
    QLabel* count_ = nullptr;
};
