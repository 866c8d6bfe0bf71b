#include "settings/PickLists.h"

#include <algorithm>
#include <stdexcept>

namespace divelog {

const std::vector<std::string>& PickLists::keys() {
    static const std::vector<std::string> k = {
        "lieux",       "sites",      "pays",          "countryCode",    "partenaires", "epaves",
        "structures",  "ordinateurs", "sac de plongee", "type epave",   "cause naufrage",
        "type materiel", "fabricants", "magasins",     "prestations",   "activite"};
    return k;
}

const std::vector<std::string>& PickLists::startupKeys() {
    static const std::vector<std::string> k(keys().begin(), keys().end() - 1);
    return k;
}

PickLists::PickLists(SettingsStore& store) : store_(store) {
    for (const auto& k : keys()) lists_[k];
}

void PickLists::fillFromStore() {
    for (const auto& k : startupKeys()) reload(k);
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
    std::sort(l.begin(), l.end());
    store_.setList(key, l);
}

}  // namespace divelog
