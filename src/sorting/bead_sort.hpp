#pragma once

#include <array>
#include <cstdint>

// How many values one run reads, sorts and prints; also the number of bead rows.
inline constexpr std::int32_t ELEMENT_COUNT = 10;

// The largest value accepted; also the number of bead columns (rods).
inline constexpr std::int32_t MAX_VALUE = 50;

using Elements = std::array<std::int32_t, ELEMENT_COUNT>;

// Sorts A into B in non-decreasing order by letting beads fall on MAX_VALUE
// rods. Every value of A must lie in 0..MAX_VALUE; A is left unchanged.
void bead_sort(const Elements& A, Elements& B);
