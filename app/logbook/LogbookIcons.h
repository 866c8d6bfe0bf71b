#pragma once

#include <QIcon>
#include <string_view>

// The logbook's pictures by the names the table and the toolbars use
// ("coeur", "epave", "ajouterPl"...), read once from the resources. An
// unknown name gives a null icon, so a missing picture shows nothing.
class LogbookIcons {
public:
    static QIcon icon(std::string_view name);
    // The picture at the size it was drawn for; null for an unknown name.
    static QPixmap pixmap(std::string_view name);
};
