#pragma once

#include <map>
#include <string>
#include <vector>

#include "settings/AppContext.h"
#include "settings/PreferenceKeys.h"

namespace divelog {

// The preferences window as data: one control value per settings key. Every
// change is written to the store before its notification goes out, so an
// observer that reads the store sees the new value.
class PreferencesModel {
public:
    explicit PreferencesModel(AppContext& context);

    // The keys the window edits, in the order it saves them.
    static const std::vector<std::string>& editedKeys();
    // The keys savePrefs writes: all of them but the foreign-dive, night-dive,
    // memo and dive-computer controls, which are written only as they change.
    static const std::vector<std::string>& savedKeys();
    // The notification a change of this key calls for; empty when none.
    static std::string notificationFor(const std::string& key);

    // Sets every control from the store (registered defaults included).
    void refresh();

    const SettingValue& control(const std::string& key) const;
    bool boolControl(const std::string& key) const;
    double numberControl(const std::string& key) const;
    std::string textControl(const std::string& key) const;
    std::optional<Colour> colourControl(const std::string& key) const;

    // A control was changed by the user: store it, then post its notification.
    void change(const std::string& key, SettingValue value);
    // What the user typed into a field. A key with a range takes only a
    // number within it; a refusal leaves the control and the store as they were.
    // GF low above GF high (or the reverse) is refused as out of order.
    enum class Entry { Stored, Unreadable, OutOfRange, OutOfOrder };
    Entry enter(const std::string& key, const std::string& typed);
    // Writes every control under its key.
    void savePrefs();
    // Sets the reset values, saves, then posts "updateTableView",
    // "updateColumnsTableView", "profile", "updateEditDive" and "updateDeco"
    // in that order: every open table takes the reset columns at once.
    void resetPreferences();

    bool isEnabled(const std::string& key) const;
    // Key (table "Carnet") labelling the low-temperature threshold.
    std::string temperatureUnitKey() const;

private:
    void write(const std::string& key);

    AppContext& context_;
    std::map<std::string, SettingValue> controls_;
};

}  // namespace divelog
