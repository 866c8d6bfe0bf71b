#include "tools/StyledTextWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/StyledTextDocument.h"
#include "tools/WindowFrame.h"

StyledTextWindow::StyledTextWindow(const QString& layoutName, const QString& printLabel,
                                   divelog::SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), layout_(layoutName), settings_(settings) {
    // Lays out only what is in view: the card of every dive of a large
    // logbook is millions of characters.
    view_ = new QPlainTextEdit(this);
    view_->setObjectName(QStringLiteral("styledText"));
    view_->setReadOnly(true);
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("emptyNote"));
    note_->setWordWrap(true);
    auto* print = new QPushButton(printLabel, this);
    print->setObjectName(QStringLiteral("print"));
    connect(print, &QPushButton::clicked, this, &StyledTextWindow::printRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note_, 1);
    buttons->addWidget(print);
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    column->addLayout(buttons);
    // Wide enough for a card's bullet line.
    resize(760, 720);
    windowframe::restore(this, settings_, layout_, true);
}

void StyledTextWindow::setText(const divelog::StyledText& text, const QString& emptyNote) {
    empty_ = text.empty();
    styledtext::fill(*view_->document(), text);
    note_->setText(empty_ ? emptyNote : QString());
    view_->moveCursor(QTextCursor::Start);
}

const QTextDocument& StyledTextWindow::document() const { return *view_->document(); }

void StyledTextWindow::present() {
    show();
    raise();
    activateWindow();
}

void StyledTextWindow::closeEvent(QCloseEvent* event) {
    windowframe::remember(this, settings_, layout_);
    QWidget::closeEvent(event);
}
