#include "logbook/LogbookIcons.h"

#include <QFile>
#include <QHash>

QIcon LogbookIcons::icon(std::string_view name) {
    if (name.empty()) return {};
    // The table asks for a picture per painted cell; loading is done once.
    static QHash<QString, QIcon> cache;
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto it = cache.find(key);
    if (it == cache.end()) {
        const QString path = QStringLiteral(":/icons/") + key + QStringLiteral(".svg");
        it = cache.insert(key, QFile::exists(path) ? QIcon(path) : QIcon());
    }
    return *it;
}
