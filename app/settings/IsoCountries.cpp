#include "settings/IsoCountries.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The table is some 40 KB; anything far larger is not it.
constexpr qint64 kMaxBytes = 4 << 20;

}  // namespace

QString isoCountriesPath() { return QStringLiteral("/usr/share/iso-codes/json/iso_3166-1.json"); }

std::vector<divelog::Country> readIsoCountries(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBytes) return {};
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes) return {};
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return {};

    std::vector<divelog::Country> countries;
    // Wrong types read as empty texts, which the pick lists leave out.
    for (const QJsonValue& entry : doc.object().value(QLatin1String("3166-1")).toArray()) {
        const QJsonObject o = entry.toObject();
        countries.push_back({o.value(QLatin1String("name")).toString().toStdString(),
                             o.value(QLatin1String("alpha_3")).toString().toStdString()});
    }
    return countries;
}

std::vector<divelog::Country> isoCountries() { return readIsoCountries(isoCountriesPath()); }
