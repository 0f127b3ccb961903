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
    static void dropped(std::int32_t /*j*/, std::int32_t /*pile*/) {}
    static void counted(std::int32_t /*j*/, const Elements& /*rows*/) {}
};

// The same sort, telling a watcher its steps: after the drop on rod j, the
// pile there; after rod j is read into the rows, every row's count so far.
// Both phases are written without branches and with fixed bounds, so that the
// compiler turns them into vector code: that brings ten values within a few
// times of std::sort.
template <typename Watcher> void bead_sort(const Elements& A, Elements& B, Watcher watcher)
{
    // One pile of fallen beads per rod.
    std::array<std::int32_t, MAX_VALUE> counts{};

    // Drop: each value v lays one bead on each of its first v rods, so rod j
    // gains a bead from every value above j.
    std::int32_t j = 0;
    for (std::int32_t& pile : counts) {
        for (const std::int32_t v : A) {
            // A plain loop: with std::count_if here the sort runs twice as long.
            // cppcheck-suppress useStlAlgorithm
            pile += static_cast<std::int32_t>(v > j);
        }
        watcher.dropped(j, pile);
        ++j;
    }

    // Rows, from the top (height ELEMENT_COUNT) down to height 1: a row holds
    // one bead for every rod whose pile reaches it. Each pile is looked at
    // once for all the rows; the rows are counted in a local array, which the
    // compiler keeps in registers, and then stored as B.
    Elements rows{};
    j = 0;
    for (const std::int32_t height : counts) {
        std::int32_t threshold = ELEMENT_COUNT;
        for (std::int32_t& counter : rows) {
            counter += static_cast<std::int32_t>(height >= threshold);
            --threshold;
        }
        watcher.counted(j, rows);
        ++j;
    }
    B = rows;
}
