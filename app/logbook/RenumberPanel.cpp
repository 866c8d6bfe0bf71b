#include "logbook/RenumberPanel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "localisation/UiText.h"

RenumberPanel::RenumberPanel(const UiText& text, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("renumberPanel"));
    setWindowTitle(text.carnet("Renumber title", "Renumber dives"));

    auto* note = new QLabel(text.carnet("Renumber note", "error !"), this);
    note->setWordWrap(true);
    start_ = new QSpinBox(this);
    start_->setObjectName(QStringLiteral("renumberStart"));
    start_->setRange(-999999, 999999);
    start_->setMinimumWidth(110);

    auto* form = new QFormLayout;
    form->addRow(text.carnet("First number", "First number"), start_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(text.carnet("Renumber", "Renumber"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("renumberConfirm"));
    ok->setDefault(true);
    buttons->addButton(text.main("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RenumberPanel::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setFixedWidth(360);
}

void RenumberPanel::present(int start) {
    start_->setValue(start);
    start_->selectAll();
    show();
    raise();
    activateWindow();
}

void RenumberPanel::confirm() {
    emit renumber(start_->value());
    accept();
}
