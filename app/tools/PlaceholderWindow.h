#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

// Stands in for a calculator or a pick-list editor until its own window is
// written: a title, a note, and for editors the list as it is now. Like the
// real ones it is created on first use and only hidden when closed.
class PlaceholderWindow : public QWidget {
    Q_OBJECT
public:
    // `emptyText` stands in the list while it has no entries (editors only).
    PlaceholderWindow(const QString& layoutName, const QString& title, const QString& note,
                      bool showsList, const QString& emptyText = {});

    QString layoutName() const { return objectName(); }
    QString note() const;
    // Only for editors: the entries shown.
    void setEntries(const QStringList& entries);
    QStringList entries() const;
    // Brings the window to the front.
    void present();

private:
    QLabel* note_ = nullptr;
    QListWidget* list_ = nullptr;
    QStringList entries_;
    QString emptyText_;
    bool placed_ = false;
};
