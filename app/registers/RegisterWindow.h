#pragma once

#include "DocumentWindow.h"

class QLabel;

// The window of one of the nine side registers. Their records come with each
// register's own work; until then it shows what the document is and how many
// records it holds, and can be saved and reopened as an empty register.
class RegisterWindow : public DocumentWindow {
    Q_OBJECT
public:
    RegisterWindow(std::unique_ptr<divelog::Document> document, divelog::AppContext& context,
                   const UiText& text, UserPrompts& prompts);

    QLabel* countLabel() const { return count_; }

protected:
    void reloadView() override;

private:
    QLabel* count_ = nullptr;
};
