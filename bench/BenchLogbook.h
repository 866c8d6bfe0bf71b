#pragma once

#include <cstddef>
#include <memory>

#include "logbook/Carnet.h"

namespace divelog::bench {

// A logbook as a long-time diver's computer fills it: every dive with a full
// profile (all seven series), buddies, notes and equipment. Deterministic.
std::unique_ptr<Carnet> makeBenchLogbook(std::size_t dives, std::size_t samples);

}  // namespace divelog::bench
