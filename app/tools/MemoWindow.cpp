#include "tools/MemoWindow.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "settings/SettingsStore.h"

MemoWindow::MemoWindow(const QString& title, const QString& hint, divelog::SettingsStore* store)
    : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("penseBeteWindow"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    pad_ = new QPlainTextEdit(this);
    pad_->setPlaceholderText(hint);
    layout->addWidget(pad_);
    resize(320, 280);
    if (store) {
        pad_->setPlainText(QString::fromStdString(store->stringForKey(kTextKey)));
        // Written on every change: nothing is lost if the application dies.
        connect(pad_, &QPlainTextEdit::textChanged, this,
                [this, store] { store->setString(kTextKey, pad_->toPlainText().toStdString()); });
    }
}

void MemoWindow::present() {
    // Top right, clear of the document window that launch opens beside it.
    if (!isVisible())
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.right() - width() - 24, area.top() + 24);
        }
    show();
    raise();
    activateWindow();
}
