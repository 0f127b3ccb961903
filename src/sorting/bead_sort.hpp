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

// What the program's own runs are told of the sort's steps: nothing, so that
// the loops compile as if no one watched.
struct Unwatched {
    static void drop(std::int32_t /*i*/, std::int32_t /*j*/, bool /*bead*/, std::int32_t /*pile*/) {}
    static void rows(std::int32_t /*k*/, std::int32_t /*j*/, std::int32_t /*threshold*/, bool /*reached*/,
                     std::int32_t /*counter*/)
    {
    }
};

// Both loops below are written without branches and with fixed bounds, so
// that the compiler turns them into vector code: that brings ten values
// within a few times of std::sort. The drop is a plain loop, since with
// std::count_if the sort runs twice as long; and the rows are counted in a
// local array, which the compiler keeps in registers, and then stored as B.
// The page shows the template below, from the comment just above it, to the
// learner beside its steps; a watcher that does nothing costs nothing.

// The bead sort. Each value v of A is a row of v beads laid across the rods
// from the left; the beads fall to the bottom of their rods, and the fallen
// rows, read from the top, hold the values in order. The watcher is told
// each turn of the two inner loops.
template <typename Watcher> void bead_sort(const Elements& A, Elements& B, Watcher watcher)
{
    // One pile of fallen beads per rod.
    std::array<std::int32_t, MAX_VALUE> counts{};

    // Drop: each value v lays one bead on each of its first v rods, so rod j
    // gains a bead from every value above j.
    std::int32_t j = 0;
    for (std::int32_t& pile : counts) {
        std::int32_t i = 0;
        for (const std::int32_t v : A) {
            pile += static_cast<std::int32_t>(v > j);
            watcher.drop(i, j, v > j, pile);
            ++i;
        }
        ++j;
    }

    // Rows, from the top (height ELEMENT_COUNT) down to height 1: row k
    // holds one bead for every rod whose pile reaches its threshold.
    Elements rows{};
    j = 0;
    for (const std::int32_t pile : counts) {
        std::int32_t threshold = ELEMENT_COUNT;
        std::int32_t k = 0;
        for (std::int32_t& counter : rows) {
            counter += static_cast<std::int32_t>(pile >= threshold);
            watcher.rows(k, j, threshold, pile >= threshold, counter);
            --threshold;
            ++k;
        }
        ++j;
    }
    B = rows;
}
