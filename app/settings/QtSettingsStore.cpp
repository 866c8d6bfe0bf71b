#include "settings/QtSettingsStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

using divelog::SettingValue;

namespace {

// JSON has no infinities or NaN; those travel as text so a stored number
// never silently turns into null.
QJsonValue numberToJson(double v) {
    if (std::isnan(v)) return QStringLiteral("nan");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return v;
}

std::optional<double> numberFromJson(const QJsonValue& j) {
    if (j.isDouble()) return j.toDouble();
    const QString s = j.toString();
    if (s == QLatin1String("nan")) return std::nan("");
    if (s == QLatin1String("inf")) return HUGE_VAL;
    if (s == QLatin1String("-inf")) return -HUGE_VAL;
    return std::nullopt;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

struct Encoder {
    QJsonObject operator()(bool b) const { return {{"t", "bool"}, {"v", b}}; }
    QJsonObject operator()(double d) const { return {{"t", "number"}, {"v", numberToJson(d)}}; }
    QJsonObject operator()(const std::string& s) const { return {{"t", "string"}, {"v", qs(s)}}; }
    QJsonObject operator()(const divelog::SettingList& l) const {
        QJsonArray a;
        for (const auto& s : l) a.append(qs(s));
        return {{"t", "list"}, {"v", a}};
    }
    QJsonObject operator()(const divelog::SettingDictionary& m) const {
        QJsonObject o;
        for (const auto& [k, v] : m) o.insert(qs(k), numberToJson(v));
        return {{"t", "dictionary"}, {"v", o}};
    }
    QJsonObject operator()(const divelog::SettingData& d) const {
        QByteArray bytes(reinterpret_cast<const char*>(d.data()), static_cast<qsizetype>(d.size()));
        return {{"t", "data"}, {"v", QString::fromLatin1(bytes.toBase64())}};
    }
};

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QStringLiteral("DiveLog"), QStringLiteral("DiveLog")) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(iniPath, QSettings::IniFormat) {}

QString QtSettingsStore::encode(const SettingValue& value) {
    return QString::fromUtf8(
        QJsonDocument(std::visit(Encoder{}, value)).toJson(QJsonDocument::Compact));
}

namespace {

bool decodeInto(const QString& text, SettingValue& out) {
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject()) return false;
    const QJsonObject o = doc.object();
    const QString type = o.value("t").toString();
    const QJsonValue v = o.value("v");
    if (type == QLatin1String("bool") && v.isBool()) {
        out = v.toBool();
        return true;
    }
    if (type == QLatin1String("number")) {
        auto d = numberFromJson(v);
        if (d) out = *d;
        return d.has_value();
    }
    if (type == QLatin1String("string") && v.isString()) {
        out = v.toString().toStdString();
        return true;
    }
    if (type == QLatin1String("list") && v.isArray()) {
        divelog::SettingList list;
        for (const QJsonValue& e : v.toArray()) {
            if (!e.isString()) return false;
            list.push_back(e.toString().toStdString());
        }
        out = std::move(list);
        return true;
    }
    if (type == QLatin1String("dictionary") && v.isObject()) {
        divelog::SettingDictionary dict;
        const QJsonObject m = v.toObject();
        for (auto it = m.begin(); it != m.end(); ++it) {
            auto d = numberFromJson(it.value());
            if (!d) return false;
            dict[it.key().toStdString()] = *d;
        }
        out = std::move(dict);
        return true;
    }
    if (type == QLatin1String("data") && v.isString()) {
        auto decoded = QByteArray::fromBase64Encoding(v.toString().toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) return false;
        const QByteArray& b = *decoded;
        out = divelog::SettingData(b.begin(), b.end());
        return true;
    }
    return false;
}

}  // namespace

std::optional<SettingValue> QtSettingsStore::decode(const QString& text) {
    SettingValue value;
    if (!decodeInto(text, value)) return std::nullopt;
    return value;
}

std::optional<SettingValue> QtSettingsStore::storedValue(const std::string& key) const {
    const QVariant v = settings_.value(qs(key));
    if (!v.isValid() || v.typeId() != QMetaType::QString) return std::nullopt;
    return decode(v.toString());
}

void QtSettingsStore::store(const std::string& key, const SettingValue& value) {
    settings_.setValue(qs(key), encode(value));
}

void QtSettingsStore::remove(const std::string& key) { settings_.remove(qs(key)); }
