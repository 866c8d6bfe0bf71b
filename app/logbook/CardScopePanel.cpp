#include "logbook/CardScopePanel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "localisation/UiText.h"

CardScopePanel::CardScopePanel(const UiText& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("cardScopePanel"));
    setWindowTitle(text.carnet("Card scope title"));
    selected_ = new QRadioButton(text.carnet("Card scope selected"), this);
    all_ = new QRadioButton(text.carnet("Card scope all"), this);
    selected_->setChecked(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* show = buttons->addButton(text.carnet("Card show"), QDialogButtonBox::AcceptRole);
    show->setObjectName(QStringLiteral("showCard"));
    show->setDefault(true);
    buttons->addButton(text.main("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CardScopePanel::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(text.carnet("Card scope question"), this));
    column->addWidget(selected_);
    column->addWidget(all_);
    column->addWidget(buttons);
    // Wide enough that a window manager's title bar shows the whole title.
    setMinimumWidth(
        std::max(sizeHint().width(), fontMetrics().horizontalAdvance(windowTitle()) + 160));
}

int CardScopePanel::scope() const { return all_->isChecked() ? 1 : 0; }

void CardScopePanel::present() {
    show();
    raise();
    activateWindow();
}

void CardScopePanel::confirm() {
    accept();
    emit chosen(scope());
}
