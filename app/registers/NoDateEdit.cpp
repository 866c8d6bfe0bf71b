#include "registers/NoDateEdit.h"

#include <QCalendarWidget>
#include <QKeyEvent>

NoDateEdit::NoDateEdit(QWidget* parent) : QDateTimeEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd/MM/yyyy HH:mm"));
    setMinimumDateTime(noDate());
    setSpecialValueText(QStringLiteral("—"));
    calendarWidget()->installEventFilter(this);
}

QDateTime NoDateEdit::noDate() { return QDateTime(QDate(1900, 1, 1), QTime(0, 0)); }

void NoDateEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (holdsNoDate() && !typed.isEmpty() && typed.front().isDigit() && !isReadOnly()) {
        // "—" has no day to type into: today's, selected, takes the digit.
        setDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
        setSelectedSection(sectionAt(0));
    }
    QDateTimeEdit::keyPressEvent(event);
}

bool NoDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && holdsNoDate())
        if (auto* calendar = qobject_cast<QCalendarWidget*>(watched)) {
            const QDate today = QDate::currentDate();
            calendar->setCurrentPage(today.year(), today.month());
        }
    return QDateTimeEdit::eventFilter(watched, event);
}
