#pragma once

#include <QString>
#include <vector>

#include "settings/PickLists.h"

// The ISO 3166-1 country table that Debian's iso-codes package ships, read
// for the country pick lists of a first launch (PickLists::seedCountries).

// Where iso-codes puts the table.
QString isoCountriesPath();

// The countries of the table at `path`: each entry's "name" and "alpha_3",
// in file order. A missing, oversized or damaged file gives no countries and
// no message: the lists then simply start empty.
std::vector<divelog::Country> readIsoCountries(const QString& path);

// readIsoCountries(isoCountriesPath()): the app's country source.
std::vector<divelog::Country> isoCountries();
