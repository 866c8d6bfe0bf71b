#pragma once

#include <cstddef>
#include <optional>

#include "util/StyledText.h"

namespace divelog {

class Carnet;
class Localisation;
class Plongee;

// The dive card: a dive told section by section (general, conditions,
// parameters, gas, equipment, notes) as styled text, labels looked up in the
// table "Carnet" and coded fields named by the dive codes' titles. Labels
// carry their own line breaks, so the layout follows the translation. A
// missing label shows "error !".
class DiveCard {
public:
    enum class Scope {
        SelectedDive = 0,  // the tags of the scope panel's cells
        AllDives = 1,
    };

    // Bullets of the line between two cards.
    static constexpr std::size_t kSeparatorBullets = 97;

    DiveCard(const Localisation& texts, bool usUnits) : texts_(texts), usUnits_(usUnits) {}

    // One dive's card appended to `out`.
    void append(const Plongee& dive, StyledText& out) const;
    // The cards of the scope, in list order, a bullet line between two;
    // nothing for the selected-dive scope without a selected row.
    StyledText build(const Carnet& carnet, Scope scope,
                     std::optional<std::size_t> selectedRow) const;
    // The cards of rows [first, last) as they stand in the card of every
    // dive, the bullet line before each but the first row's: a long card is
    // built a part at a time.
    void appendRows(const Carnet& carnet, std::size_t first, std::size_t last,
                    StyledText& out) const;

private:
    class Writer;

    const Localisation& texts_;
    bool usUnits_;
};

}  // namespace divelog
