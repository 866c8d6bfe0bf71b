#pragma once

#include "localisation/Localisation.h"
#include "settings/NotificationCenter.h"
#include "settings/PickLists.h"
#include "settings/SettingsStore.h"

namespace divelog {

// What every part of the application shares: the settings store, the pick
// lists, the displayed texts and the notification centre. One per process in
// the app; tests build their own with an in-memory store.
class AppContext {
public:
    explicit AppContext(SettingsStore& store) : store_(store), pickLists_(store) {}

    // Start-up: seeds the country lists of a first launch from `countries`
    // (see PickLists::seedCountries), fills the shared pick lists, then
    // registers the defaults.
    void initialize(const CountrySource& countries = {});

    SettingsStore& settings() { return store_; }
    const SettingsStore& settings() const { return store_; }
    PickLists& pickLists() { return pickLists_; }
    Localisation& localisation() { return localisation_; }
    const Localisation& localisation() const { return localisation_; }
    NotificationCenter& notifications() { return notifications_; }

private:
    SettingsStore& store_;
    PickLists pickLists_;
    Localisation localisation_;
    NotificationCenter notifications_;
};

}  // namespace divelog
