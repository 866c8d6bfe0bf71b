#pragma once

#include <cstddef>
#include <memory>

#include "registers/RegisterDocument.h"

namespace divelog::bench {

// A wreck directory as a club fills it: names, types, dimensions, places,
// positions and notes on every card, no pictures. Deterministic.
std::unique_ptr<RegisterDocument> makeBenchWrecks(std::size_t cards);

}  // namespace divelog::bench
