#include "tools/PlaceholderWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString& layoutName, const QString& title,
                                     const QString& note, bool showsList)
    : QWidget(nullptr, Qt::Window) {
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
        resize(360, 420);
    } else {
        layout->addStretch(1);
        resize(420, 180);
    }
}

QString PlaceholderWindow::note() const { return note_->text(); }

void PlaceholderWindow::setEntries(const QStringList& entries) {
    if (!list_) return;
    list_->clear();
    list_->addItems(entries);
}

QStringList PlaceholderWindow::entries() const {
    QStringList out;
    if (list_)
        for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
    return out;
}

void PlaceholderWindow::present() {
    show();
    raise();
    activateWindow();
}
