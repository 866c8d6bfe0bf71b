#pragma once

#include <QString>

class QWidget;
namespace divelog {
class SettingsStore;
}

// Tool, editor and preferences windows remember where the user left them,
// under their layout name in the settings store (not in a side file), so a
// test's in-memory store keeps them too.
namespace windowframe {

// Moves (and, with `size`, resizes) the window to the remembered frame.
// False when none is remembered or it lies off every screen.
bool restore(QWidget* window, const divelog::SettingsStore& store, const QString& layout,
             bool size);
void remember(const QWidget* window, divelog::SettingsStore& store, const QString& layout);
// Moves a window to the right of `owner`, top edges level, kept on the screen.
void placeBeside(QWidget* window, const QWidget* owner);

}  // namespace windowframe
