#include "registers/UnbuiltRegisterWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include "localisation/UiText.h"

UnbuiltRegisterWindow::UnbuiltRegisterWindow(std::unique_ptr<divelog::Document> document,
                                             divelog::AppContext& context, const UiText& text,
                                             UserPrompts& prompts)
    : DocumentWindow(std::move(document), context, text, prompts) {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);

    auto* title = new QLabel(text_.kindName(this->document().info()), central);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    count_ = new QLabel(central);
    layout->addWidget(count_);

    auto* note = new QLabel(text_.main("Register not available"), central);
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addStretch(1);

    setCentralWidget(central);
    reloadView();
    resize(560, 260);
}

void UnbuiltRegisterWindow::reloadView() {
    count_->setText(text_.format("Main", "Record count", "error !",
                                 {static_cast<std::int64_t>(document().recordCount())}));
}
