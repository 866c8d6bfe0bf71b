#include "tools/MemoWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

MemoWindow::MemoWindow(const QString& title) : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("penseBeteWindow"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(new QPlainTextEdit(this));
    resize(320, 280);
}

void MemoWindow::present() {
    show();
    raise();
    activateWindow();
}
