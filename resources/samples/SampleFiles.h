#pragma once

// The names of the sample files shipped with the application, as the
// generator writes them and the application and tests look for them.
namespace divelog::samples {

inline constexpr const char* kLogbookFile = "Sample logbook.divelog";
inline constexpr const char* kWrecksFile = "Sample wrecks.dlwrecks";
inline constexpr const char* kEquipmentFile = "Sample equipment.dlequip";

}  // namespace divelog::samples
