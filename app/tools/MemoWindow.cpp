#include "tools/MemoWindow.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

MemoWindow::MemoWindow(const QString& title, const QString& hint) : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("penseBeteWindow"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* pad = new QPlainTextEdit(this);
    pad->setPlaceholderText(hint);
    layout->addWidget(pad);
    resize(320, 280);
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
