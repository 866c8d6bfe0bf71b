#include "tools/PlaceholderWindow.h"

#include <QLabel>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString& layoutName, const QString& title,
                                     const QString& note, bool showsList, const QString& emptyText)
    : QWidget(nullptr, Qt::Window), emptyText_(emptyText) {
    setObjectName(layoutName);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);

    auto* heading = new QLabel(title, this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    layout->addWidget(heading);

    note_ = new QLabel(note, this);
    note_->setWordWrap(true);
    layout->addWidget(note_);

    if (showsList) {
        list_ = new QListWidget(this);
        layout->addWidget(list_, 1);
        setEntries({});
        resize(360, 420);
    } else {
        layout->addStretch(1);
        resize(420, 180);
    }
}

QString PlaceholderWindow::note() const { return note_->text(); }

void PlaceholderWindow::setEntries(const QStringList& entries) {
    if (!list_) return;
    entries_ = entries;
    list_->clear();
    list_->addItems(entries);
    if (entries.isEmpty() && !emptyText_.isEmpty()) {
        auto* hint = new QListWidgetItem(emptyText_, list_);
        hint->setFlags(Qt::NoItemFlags);
    }
}

QStringList PlaceholderWindow::entries() const { return entries_; }

void PlaceholderWindow::present() {
    // Centred the first time, rather than over the document's menu bar.
    if (!placed_) {
        placed_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}
