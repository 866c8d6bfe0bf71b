#pragma once

#include <QDateTimeEdit>

// A register's date and time control, whose earliest value, 1 January 1900,
// stands for "no date" and shows "—". From there, typing a digit starts from
// today and takes the digit, and the calendar opens on the current month
// rather than on January 1900.
class NoDateEdit : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit NoDateEdit(QWidget* parent = nullptr);

    static QDateTime noDate();
    bool holdsNoDate() const { return dateTime() == noDate(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The calendar, opening on "no date", turns to today's month.
    bool eventFilter(QObject* watched, QEvent* event) override;
};
