#pragma once

#include <QWidget>

// The "pense bete": a scratch pad shown at launch when the user asks for it.
// What is typed lives only while the application runs.
class MemoWindow : public QWidget {
    Q_OBJECT
public:
    explicit MemoWindow(const QString& title);
    void present();
};
