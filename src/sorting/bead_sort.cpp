#include "bead_sort.hpp"

// Both phases are written without branches and with fixed bounds, so that the
// compiler turns them into vector code: that brings ten values within a few
// times of std::sort.
#ifdef BEADSORT_MULTIVERSION
// Built twice, for AVX2 (x86-64-v3) and for any x86-64 CPU; the loader picks
// one at start-up (an ifunc). Windows has no ifunc, so mingw-w64 builds keep
// the baseline only.
[[gnu::target_clones("arch=x86-64-v3", "default")]]
#endif
void bead_sort(const Elements& A, Elements& B)
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
        ++j;
    }

    // Rows, from the top (height ELEMENT_COUNT) down to height 1: a row holds
    // one bead for every rod whose pile reaches it. Each pile is looked at
    // once for all the rows; the rows are counted in a local array, which the
    // compiler keeps in registers, and then stored as B.
    Elements rows{};
    for (const std::int32_t height : counts) {
        std::int32_t threshold = ELEMENT_COUNT;
        for (std::int32_t& counter : rows) {
            counter += static_cast<std::int32_t>(height >= threshold);
            --threshold;
        }
    }
    B = rows;
}
