#include "settings/NotificationCenter.h"

#include <algorithm>

namespace divelog {

void NotificationCenter::addObserver(const void* owner, std::string name, Handler handler) {
    entries_.push_back(Entry{owner, std::move(name), std::move(handler)});
}

void NotificationCenter::removeObserver(const void* owner) {
    for (auto& e : entries_)
        if (e.owner == owner) e.removed = true;
    if (posting_ == 0) std::erase_if(entries_, [](const Entry& e) { return e.removed; });
}

void NotificationCenter::post(const std::string& name) {
    ++posting_;
    // Index loop: a handler may add observers, which may move the entries.
    const std::size_t count = entries_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (entries_[i].removed || entries_[i].name != name) continue;
        Handler h = entries_[i].handler;  // the entry may be erased by a nested post
        h();
    }
    if (--posting_ == 0) std::erase_if(entries_, [](const Entry& e) { return e.removed; });
}

std::size_t NotificationCenter::observerCount(const std::string& name) const {
    return static_cast<std::size_t>(
        std::count_if(entries_.begin(), entries_.end(),
                      [&](const Entry& e) { return !e.removed && e.name == name; }));
}

}  // namespace divelog
