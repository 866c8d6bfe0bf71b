#pragma once

#include "tools/DocumentToolbar.h"

// One of the logbook's two toolbars ("tableViewToolbar" or
// "editWindowToolbar"), with its find field and its enabling rules.
class LogbookToolbar : public DocumentToolbar {
    Q_OBJECT
public:
    LogbookToolbar(const QString& identifier, divelog::SettingsStore& store, const UiText& text,
                   QWidget* parent);

    // The widget the "rechercher" item holds.
    void setSearchWidget(QWidget* widget) { setItemWidget("rechercher", widget); }
    // Items needing a dive are enabled only when the logbook holds one;
    // Update only when the form shows a dive of the logbook to write into.
    void updateEnabling(std::size_t diveCount, bool formShowsDive = true);
};
