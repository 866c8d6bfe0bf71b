#pragma once

#include <functional>
#include <string>
#include <vector>

namespace divelog {

// Named notifications between the preferences, the application commands and
// every open document. Observers are keyed by an owner so a document removes
// all of its observations at once when it dies. Posting delivers in the order
// observers were added; an observer added or removed during a post takes
// effect from the next post.
class NotificationCenter {
public:
    using Handler = std::function<void()>;

    void addObserver(const void* owner, std::string name, Handler handler);
    void removeObserver(const void* owner);
    void post(const std::string& name);
    std::size_t observerCount(const std::string& name) const;

private:
    struct Entry {
        const void* owner;
        std::string name;
        Handler handler;
        bool removed = false;
    };
    std::vector<Entry> entries_;
    int posting_ = 0;
};

// The notification names the preferences and the application post.
namespace notification {
inline constexpr const char* kUpdateTableView = "updateTableView";
inline constexpr const char* kUpdateColumnsTableView = "updateColumnsTableView";
inline constexpr const char* kProfile = "profile";
inline constexpr const char* kUpdateEditDive = "updateEditDive";
inline constexpr const char* kUpdateDeco = "updateDeco";
inline constexpr const char* kRenumDives = "renumDives";
}  // namespace notification

}  // namespace divelog
