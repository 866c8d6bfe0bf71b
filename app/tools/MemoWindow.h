#pragma once

#include <QWidget>

// The "pense bete": a scratch pad shown at launch when the user asks for it.
// What is typed lives only while the application runs.
class MemoWindow : public QWidget {
    Q_OBJECT
public:
    MemoWindow(const QString& title, const QString& hint);
    void present();
};
