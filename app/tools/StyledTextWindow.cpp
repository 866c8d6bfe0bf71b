#include "tools/StyledTextWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
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

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("writing"));
    progress_->hide();
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("cancelWriting"));
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &StyledTextWindow::cancelWriting);
    writer_ = new QTimer(this);
    writer_->setInterval(0);
    connect(writer_, &QTimer::timeout, this, &StyledTextWindow::writeNextPart);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note_, 1);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancel_);
    buttons->addWidget(print);
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    column->addLayout(buttons);
    // Wide enough for a card's bullet line.
    resize(760, 720);
    windowframe::restore(this, settings_, layout_, true);
}

StyledTextWindow::~StyledTextWindow() = default;

void StyledTextWindow::setText(const divelog::StyledText& text, const QString& emptyNote) {
    stopWriting();
    empty_ = text.empty();
    styledtext::fill(*view_->document(), text);
    note_->setText(empty_ ? emptyNote : QString());
    view_->moveCursor(QTextCursor::Start);
}

void StyledTextWindow::setTextInParts(Parts parts) {
    stopWriting();
    parts_ = std::move(parts);
    parts_.size = std::max<std::size_t>(parts_.size, 1);
    filler_ = std::make_unique<styledtext::Filler>(*view_->document());
    written_ = 0;
    empty_ = parts_.count == 0;
    note_->clear();
    writeNextPart();
    view_->moveCursor(QTextCursor::Start);
    if (!isWriting()) return;
    progress_->setRange(0, static_cast<int>(parts_.count));
    progress_->setValue(static_cast<int>(written_));
    cancel_->setText(parts_.cancelLabel);
    progress_->show();
    cancel_->show();
    writer_->start();
}

bool StyledTextWindow::isWriting() const { return filler_ && written_ < parts_.count; }

void StyledTextWindow::writeNextPart() {
    if (!filler_) return;
    const std::size_t last = std::min(parts_.count, written_ + parts_.size);
    // The reader's place in the text stays where it is while the rest is written.
    const int scroll = view_->verticalScrollBar()->value();
    filler_->append(parts_.make(written_, last));
    view_->verticalScrollBar()->setValue(scroll);
    written_ = last;
    progress_->setValue(static_cast<int>(written_));
    if (written_ >= parts_.count) stopWriting();
}

void StyledTextWindow::cancelWriting() {
    if (!isWriting()) return;
    const QString note =
        parts_.stoppedNote ? parts_.stoppedNote(written_, parts_.count) : QString();
    stopWriting();
    note_->setText(note);
}

void StyledTextWindow::stopWriting() {
    writer_->stop();
    filler_.reset();
    progress_->hide();
    cancel_->hide();
}

const QTextDocument& StyledTextWindow::document() const { return *view_->document(); }

void StyledTextWindow::present() {
    show();
    raise();
    activateWindow();
}

void StyledTextWindow::closeEvent(QCloseEvent* event) {
    // A hidden card is written again when shown; no work goes on for it meanwhile.
    cancelWriting();
    windowframe::remember(this, settings_, layout_);
    QWidget::closeEvent(event);
}
