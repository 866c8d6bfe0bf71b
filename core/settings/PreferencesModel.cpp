#include "settings/PreferencesModel.h"

#include "archive/BinaryArchive.h"
#include "util/Numbers.h"

namespace divelog {

namespace {
SettingValue emptyOf(PreferenceType type) {
    switch (type) {
        case PreferenceType::Boolean: return false;
        case PreferenceType::Number: return 0.0;
        case PreferenceType::Text: return std::string();
        case PreferenceType::TextOrNumber: return 0.0;
        case PreferenceType::Colour: return SettingData{};
        case PreferenceType::List: return SettingList{};
        case PreferenceType::Dictionary: return SettingDictionary{};
    }
    return false;
}
}  // namespace

const std::vector<std::string>& PreferencesModel::editedKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (const auto& p : preferenceKeys())
            if (p.key != "column_epave" && p.key != "statistics values") k.push_back(p.key);
        return k;
    }();
    return keys;
}

std::string PreferencesModel::notificationFor(const std::string& key) {
    static const std::map<std::string, std::string> byKey = [] {
        std::map<std::string, std::string> m;
        for (const char* k :
             {"display units", "depth time in color", "depth color", "time color", "color item",
              "coloured text", "coloured theme", "low temperature in color",
              "low temperature value", "low temperature color", "mix in color", "foreign in color",
              "foreign color", "nocturnes in color"})
            m[k] = notification::kUpdateTableView;
        for (const auto& k : columnKeys()) m[k] = notification::kUpdateColumnsTableView;
        for (const char* k :
             {"plot color", "fill plot", "fill color", "alpha fill color", "background color",
              "alpha background color", "gradient yes", "gradient lines color", "x minor ticks",
              "y minor ticks", "dashed lines", "ppO2 line"})
            m[k] = notification::kProfile;
        for (const char* k : {"tank volume", "tank pressure", "us units", "country code",
                              "fabricant", "ordinateur", "serie"})
            m[k] = notification::kUpdateEditDive;
        m["stop interval"] = notification::kUpdateDeco;
        m[gradientFactors::kLowKey] = notification::kUpdateDeco;
        m[gradientFactors::kHighKey] = notification::kUpdateDeco;
        return m;
    }();
    auto it = byKey.find(key);
    return it == byKey.end() ? std::string() : it->second;
}

PreferencesModel::PreferencesModel(AppContext& context) : context_(context) { refresh(); }

void PreferencesModel::refresh() {
    const SettingsStore& s = context_.settings();
    for (const auto& key : editedKeys()) {
        const PreferenceKey* p = preferenceKey(key);
        SettingValue v = emptyOf(p->type);
        switch (p->type) {
            case PreferenceType::Boolean: v = s.boolForKey(key); break;
            case PreferenceType::Number:
            case PreferenceType::TextOrNumber: v = s.numberForKey(key); break;
            case PreferenceType::Text: v = s.stringForKey(key); break;
            case PreferenceType::Colour: v = s.dataForKey(key); break;
            case PreferenceType::List: v = s.listForKey(key); break;
            case PreferenceType::Dictionary: v = s.dictionaryForKey(key); break;
        }
        controls_[key] = std::move(v);
    }
}

const SettingValue& PreferencesModel::control(const std::string& key) const {
    return controls_.at(key);
}

bool PreferencesModel::boolControl(const std::string& key) const {
    auto b = std::get_if<bool>(&control(key));
    return b && *b;
}

double PreferencesModel::numberControl(const std::string& key) const {
    if (auto d = std::get_if<double>(&control(key))) return *d;
    if (auto s = std::get_if<std::string>(&control(key))) return readDecimal(*s).value_or(0);
    return 0;
}

std::string PreferencesModel::textControl(const std::string& key) const {
    if (auto s = std::get_if<std::string>(&control(key))) return *s;
    return {};
}

std::optional<Colour> PreferencesModel::colourControl(const std::string& key) const {
    if (auto d = std::get_if<SettingData>(&control(key))) return decodeColourArchive(*d);
    return std::nullopt;
}

void PreferencesModel::write(const std::string& key) {
    const PreferenceKey* p = preferenceKey(key);
    const SettingValue& v = controls_.at(key);
    // A colour control that never held a colour has nothing worth storing.
    if (p->type == PreferenceType::Colour && std::get<SettingData>(v).empty()) return;
    context_.settings().store(key, v);
}

void PreferencesModel::change(const std::string& key, SettingValue value) {
    controls_.at(key) = std::move(value);
    write(key);
    std::string name = notificationFor(key);
    if (!name.empty()) context_.notifications().post(name);
}

PreferencesModel::Entry PreferencesModel::enter(const std::string& key, const std::string& typed) {
    const PreferenceKey* p = preferenceKey(key);
    if (p->type == PreferenceType::Text && (!p->range || typed.empty())) {
        change(key, typed);
        return Entry::Stored;
    }
    // A separator in a whole number is no number of the key, never a rounded one.
    const std::optional<double> v =
        p->range && checkNumberText(p->range->typing, typed) != NumberVerdict::Acceptable
            ? std::nullopt
            : readDecimal(typed);
    if (!v) return Entry::Unreadable;
    if (p->range && (*v < p->range->minimum || *v > p->range->maximum)) return Entry::OutOfRange;
    if (key == gradientFactors::kLowKey &&
        !gradientFactors::usable(*v, numberControl(gradientFactors::kHighKey)))
        return Entry::OutOfOrder;
    if (key == gradientFactors::kHighKey &&
        !gradientFactors::usable(numberControl(gradientFactors::kLowKey), *v))
        return Entry::OutOfOrder;
    // A text key keeps the text as typed, only checked.
    change(key, p->type == PreferenceType::Text ? SettingValue(typed) : SettingValue(*v));
    return Entry::Stored;
}

const std::vector<std::string>& PreferencesModel::savedKeys() {
    // The keys the window stores as a whole; the others are written as they change.
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (const auto& key : editedKeys())
            if (key != "foreign in color" && key != "foreign color" &&
                key != "nocturnes in color" && key != "pense bete" && key != "fabricant" &&
                key != "ordinateur" && key != "serie")
                k.push_back(key);
        return k;
    }();
    return keys;
}

void PreferencesModel::savePrefs() {
    for (const auto& key : savedKeys()) write(key);
}

void PreferencesModel::resetPreferences() {
    for (const auto& p : preferenceKeys())
        if (p.reset && controls_.count(p.key)) controls_[p.key] = *p.reset;
    savePrefs();
    for (const char* n :
         {notification::kUpdateTableView, notification::kUpdateColumnsTableView,
          notification::kProfile, notification::kUpdateEditDive, notification::kUpdateDeco})
        context_.notifications().post(n);
}

bool PreferencesModel::isEnabled(const std::string& key) const {
    static const std::map<std::string, std::string> guard = {
        {"depth color", "depth time in color"},
        {"time color", "depth time in color"},
        {"coloured text", "color item"},
        {"coloured theme", "color item"},
        {"low temperature value", "low temperature in color"},
        {"low temperature color", "low temperature in color"},
        {"fill color", "fill plot"},
        {"alpha fill color", "fill plot"},
        {"gradient lines color", "gradient yes"},
        {"foreign color", "foreign in color"},
    };
    auto it = guard.find(key);
    return it == guard.end() || boolControl(it->second);
}

std::string PreferencesModel::temperatureUnitKey() const {
    return boolControl("us units") ? "Degree Farenheit" : "Degree Celsius";
}

}  // namespace divelog
