#include "bead_sort.hpp"

#include <cstddef>

void bead_sort(const Elements& A, Elements& B)
{
    // One pile of fallen beads per rod.
    std::array<std::int32_t, MAX_VALUE> counts{};

    // Drop: a value v lays one bead on each of the first v rods.
    for (const std::int32_t v : A) {
        const auto beads = static_cast<std::size_t>(v);
        for (std::size_t j = 0; j < beads; ++j) {
            ++counts[j];
        }
    }

    // Rows, from the top (height ELEMENT_COUNT) down to height 1: the beads
    // in a row are the rods whose pile reaches it.
    std::int32_t threshold = ELEMENT_COUNT;
    for (std::int32_t& row : B) {
        std::int32_t counter = 0;
        for (const std::int32_t height : counts) {
            if (height >= threshold) {
                ++counter;
            }
        }
        row = counter;
        --threshold;
    }
}
