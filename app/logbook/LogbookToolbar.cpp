#include "logbook/LogbookToolbar.h"

#include "logbook/ToolbarCarnet.h"

using divelog::ToolbarCarnet;

LogbookToolbar::LogbookToolbar(const QString& identifier, divelog::SettingsStore& store,
                               const UiText& text, QWidget* parent)
    : DocumentToolbar(ToolbarCarnet::layout(identifier.toStdString()), store, text, parent) {}

void LogbookToolbar::updateEnabling(std::size_t diveCount, bool formShowsDive) {
    DocumentToolbar::updateEnabling([&](const std::string& id) {
        return ToolbarCarnet::isEnabled(id, diveCount) && (id != "updateDive" || formShowsDive);
    });
}
