#pragma once

#include <QWidget>

namespace divelog {
class SettingsStore;
}
class QPlainTextEdit;

// The "pense bete": a scratch pad shown at launch when the user asks for it.
// With a store, what is typed is kept there as it is typed, so the notes are
// back at the next launch.
class MemoWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTextKey = "pense bete text";

    MemoWindow(const QString& title, const QString& hint, divelog::SettingsStore* store = nullptr);
    void present();
    QPlainTextEdit* pad() const { return pad_; }

private:
    QPlainTextEdit* pad_ = nullptr;
};
