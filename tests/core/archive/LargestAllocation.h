#pragma once

#include <cstddef>

// Measures the largest single allocation made while one of these is alive
// (operator new is replaced for the whole test binary to count it).
class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;

    std::size_t bytes() const;
};
