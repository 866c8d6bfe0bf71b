#include "settings/PickLists.h"

#include <algorithm>
#include <stdexcept>

#include "util/TextFold.h"

namespace divelog {

const std::vector<std::string>& PickLists::keys() {
    static const std::vector<std::string> k = {
        "lieux",          "sites",      "pays",           "countryCode",
        "partenaires",    "epaves",     "structures",     "ordinateurs",
        "sac de plongee", "type epave", "cause naufrage", "type materiel",
        "fabricants",     "magasins",   "prestations",    "activite"};
    return k;
}

PickLists::PickLists(SettingsStore& store) : store_(store) {
    for (const auto& k : keys()) lists_[k];
}

void PickLists::fillFromStore() {
    for (const auto& k : keys()) reload(k);
}

void PickLists::reload(const std::string& key) { list(key) = store_.listForKey(key); }

std::vector<std::string>& PickLists::list(const std::string& key) {
    auto it = lists_.find(key);
    if (it == lists_.end()) throw std::out_of_range("unknown pick list: " + key);
    return it->second;
}

const std::vector<std::string>& PickLists::list(const std::string& key) const {
    auto it = lists_.find(key);
    if (it == lists_.end()) throw std::out_of_range("unknown pick list: " + key);
    return it->second;
}

void PickLists::add(const std::string& key, const std::string& entry) {
    list(key).push_back(entry);
    sortAndStore(key);
}

bool PickLists::addEntry(const std::string& key, const std::string& entry) {
    if (isBlank(entry)) return false;
    add(key, entry);
    return true;
}

void PickLists::removeRows(const std::string& key, std::vector<std::size_t> rows) {
    auto& l = list(key);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (*it < l.size()) l.erase(l.begin() + static_cast<std::ptrdiff_t>(*it));
    store_.setList(key, l);
}

void PickLists::sortAndStore(const std::string& key) {
    auto& l = list(key);
    std::sort(l.begin(), l.end(), readsBefore);
    store_.setList(key, l);
}

void PickLists::seedCountries(const CountrySource& source) {
    if (!source || (store_.hasStoredValue("pays") && store_.hasStoredValue("countryCode"))) return;
    const std::vector<Country> countries = source();
    auto seed = [&](const std::string& key, std::string Country::*field, auto usable) {
        if (store_.hasStoredValue(key)) return;
        std::vector<std::string> values;
        for (const Country& c : countries)
            if (usable(c.*field)) values.push_back(c.*field);
        if (values.empty()) return;
        std::sort(values.begin(), values.end(), readsBefore);
        values.erase(std::unique(values.begin(), values.end()), values.end());
        list(key) = std::move(values);
        store_.setList(key, list(key));
    };
    seed("pays", &Country::name, [](const std::string& name) { return !isBlank(name); });
    // The "country code" setting and the table's code column take alpha-3.
    seed("countryCode", &Country::alpha3, [](const std::string& code) {
        return code.size() == 3 &&
               std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    });
}

bool PickLists::isBlank(std::string_view text) {
    // The white space a text field lets through: ASCII, then the Unicode
    // separators (NEL, no-break, ogham, the U+2000 family, narrow no-break,
    // medium mathematical, line and paragraph, ideographic).
    static constexpr std::string_view kWide[] = {"\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80",
                                                 "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF",
                                                 "\xE2\x81\x9F", "\xE3\x80\x80"};
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text.front());
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            text.remove_prefix(1);
            continue;
        }
        // U+2000 to U+200A: E2 80 80 to E2 80 8A.
        if (text.size() >= 3 && text.substr(0, 2) == "\xE2\x80" &&
            static_cast<unsigned char>(text[2]) >= 0x80 &&
            static_cast<unsigned char>(text[2]) <= 0x8A) {
            text.remove_prefix(3);
            continue;
        }
        auto wide = std::find_if(std::begin(kWide), std::end(kWide),
                                 [&](std::string_view w) { return text.starts_with(w); });
        if (wide == std::end(kWide)) return false;
        text.remove_prefix(wide->size());
    }
    return true;
}

bool PickLists::shouldOfferToAdd(const std::string& key, std::string_view typed) const {
    if (typed.find_first_not_of(' ') == std::string_view::npos) return false;
    const auto& entries = list(key);
    return std::find(entries.begin(), entries.end(), typed) == entries.end();
}

void PickLists::answerOfferToAdd(const std::string& key, const std::string& typed, bool yes) {
    if (yes) list(key).push_back(typed);
    sortAndStore(key);
}

}  // namespace divelog
