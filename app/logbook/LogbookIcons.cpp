#include "logbook/LogbookIcons.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QPixmap>

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

QPixmap LogbookIcons::pixmap(std::string_view name) {
    static QHash<QString, QPixmap> cache;
    const QString key = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImageReader reader(QStringLiteral(":/icons/") + key + QStringLiteral(".svg"));
        const QSize size = reader.size();
        it = cache.insert(key, size.isValid() ? icon(name).pixmap(size) : QPixmap());
    }
    return *it;
}
