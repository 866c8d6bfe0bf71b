#pragma once

#include <QSettings>
#include <QString>

#include "settings/SettingsStore.h"

// The settings store on QSettings. INI files keep only text, so every value is
// written as a small JSON object naming its type ({"t":"list","v":[...]}) and
// decoded back to the same alternative; anything else found under a key
// (hand edits, other programs, older formats) reads as absent.
class QtSettingsStore : public divelog::SettingsStore {
public:
    // The user's store: organisation and application "DiveLog".
    QtSettingsStore();
    // A store in one INI file (tests, portable installs).
    explicit QtSettingsStore(const QString& iniPath);

    std::optional<divelog::SettingValue> storedValue(const std::string& key) const override;
    void store(const std::string& key, const divelog::SettingValue& value) override;
    void remove(const std::string& key) override;

    // Writes pending changes to disk now (QSettings otherwise does it lazily).
    void sync() { settings_.sync(); }

    // The text kept for a value, and the reverse; exposed for tests.
    static QString encode(const divelog::SettingValue& value);
    static std::optional<divelog::SettingValue> decode(const QString& text);

private:
    mutable QSettings settings_;
};
