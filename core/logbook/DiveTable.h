#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveValues.h"
#include "dive/DiveColumns.h"
#include "document/CellStyle.h"
#include "document/SortMemory.h"
#include "localisation/Localisation.h"
#include "logbook/Carnet.h"
#include "logbook/TableAppearance.h"

namespace divelog {

struct CellValue {
    std::string text;
    std::string image;  // name of the picture to show, empty for none
};

// The rules of the dive table: what each cell says and how it looks, which
// columns show, the per-column sort memory and editing in place. The widget
// only asks and paints.
class DiveTable {
public:
    explicit DiveTable(const Localisation& texts) : texts_(texts) {}

    using Field = Plongee::Field;

    // The columns whose switch is on, in initial order.
    static std::vector<Field> visibleColumns(const SettingsStore& store);
    // First use: gives each column switch that the store does not hold its
    // default (every column but the apparatus shown). Switches the user set,
    // on or off, are left alone.
    static void writeDefaultColumnSwitches(SettingsStore& store);

    CellValue cellValue(const Plongee& dive, Field column, const TableAppearance& look) const;
    // The seven colouring rules, applied in order.
    CellStyle cellStyle(const Plongee& dive, Field column, const TableAppearance& look) const;

    // A header click: returns the direction to sort in (true = ascending) and
    // updates the memory.
    bool directionForClick(Field column);

    // Only the plain text columns can be edited in place.
    static bool isEditableInPlace(Field column);

private:
    std::string gasText(const Plongee& dive) const;
    std::string carnet(std::string_view key) const { return texts_.text("Carnet", key); }

    const Localisation& texts_;
    SortMemory<Field> sortMemory_;
};

}  // namespace divelog
