#include "tools/WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "settings/SettingsStore.h"

namespace {
std::string frameKey(const QString& layout) { return "window frame " + layout.toStdString(); }
}  // namespace

namespace windowframe {

bool restore(QWidget* window, const divelog::SettingsStore& store, const QString& layout,
             bool size) {
    const QStringList parts =
        QString::fromStdString(store.stringForKey(frameKey(layout))).split(QLatin1Char(' '));
    if (parts.size() != 4) return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok) return false;
    }
    const QRect frame(v[0], v[1], v[2], v[3]);
    if (frame.width() <= 0 || frame.height() <= 0) return false;
    // A screen unplugged since: better the default place than an unreachable window.
    bool visible = false;
    for (QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(frame);
    if (!visible) return false;
    window->move(frame.topLeft());
    if (size) window->resize(frame.size());
    return true;
}

void remember(const QWidget* window, divelog::SettingsStore& store, const QString& layout) {
    const QRect f(window->pos(), window->size());
    store.setString(frameKey(layout), QStringLiteral("%1 %2 %3 %4")
                                          .arg(f.x())
                                          .arg(f.y())
                                          .arg(f.width())
                                          .arg(f.height())
                                          .toStdString());
}

void placeBeside(QWidget* window, const QWidget* owner) {
    const QRect screen = owner->screen() ? owner->screen()->availableGeometry() : QRect();
    const QRect frame = owner->frameGeometry();
    int x = frame.right() + 8;
    if (screen.isValid() && x + window->width() > screen.right())
        x = screen.right() - window->width();
    window->move(std::max(x, screen.isValid() ? screen.left() : 0), frame.top());
}

}  // namespace windowframe
