#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"

namespace divelog {

// One country as a reference table names it; alpha3 is its ISO 3166-1 code.
struct Country {
    std::string name;
    std::string alpha3;
};
// Gives the countries when asked; may give none (no reference table).
using CountrySource = std::function<std::vector<Country>()>;

// The process-wide pick lists offered by the forms' combo boxes. Each list has
// a stable address for the life of this object, so forms and editors may hold
// a reference; a reload replaces the contents in place.
class PickLists {
public:
    // Every pick-list key, in the order the editors are listed.
    static const std::vector<std::string>& keys();

    explicit PickLists(SettingsStore& store);

    // Fills every list from the store (absent key: empty list). A list left
    // unfilled would be stored over by its first addition, so none is.
    void fillFromStore();
    // Replaces one list's contents with what the store holds.
    void reload(const std::string& key);

    std::vector<std::string>& list(const std::string& key);
    const std::vector<std::string>& list(const std::string& key) const;

    // Appends, sorts as a person reads (readsBefore) and stores the whole list.
    void add(const std::string& key, const std::string& entry);
    // What a user typed into an editor: added as add() does, also when
    // already listed, but refused when blank (false, nothing changes).
    [[nodiscard]] bool addEntry(const std::string& key, const std::string& entry);
    // Removes the entries at these rows (not every entry of the same text), then stores.
    void removeRows(const std::string& key, std::vector<std::size_t> rows);
    void sortAndStore(const std::string& key);
    // A combo box's end of editing: true when the user must be asked whether
    // to add `typed`. Only the space character is trimmed: a text of spaces
    // asks nothing; a text already listed as typed asks nothing.
    bool shouldOfferToAdd(const std::string& key, std::string_view typed) const;
    // The answer: "Yes" appends the text as typed (spaces included); either
    // answer then sorts the list and stores it.
    void answerOfferToAdd(const std::string& key, const std::string& typed, bool yes);

    // First launch: fills "pays" with the country names and "countryCode"
    // with their ISO 3166 alpha-3 codes, each sorted and stored, but only a
    // list whose key the store has never held; a list the diver emptied stays
    // empty. `countries` is asked only then; nothing is stored for a list it
    // gives nothing usable for, so a later launch tries again.
    void seedCountries(const CountrySource& countries);

    // Empty, or only white space (ASCII or Unicode spaces, in UTF-8).
    static bool isBlank(std::string_view text);

private:
    SettingsStore& store_;
    std::map<std::string, std::vector<std::string>> lists_;
};

}  // namespace divelog
