#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// One view of an edit window as both the logbook and the registers show it:
// the view in a scroll area (a view larger than the window scrolls instead of
// resizing it), over a footer with Previous, Next, a count and Close. The
// caller names the buttons and connects them; Close closes the window.
struct EditViewPage {
    QWidget* page;
    QPushButton* previous;
    QPushButton* next;
    QLabel* count;

    static EditViewPage make(QWidget* window, QWidget* view, const QString& previousText,
                             const QString& nextText, const QString& closeText);
};
