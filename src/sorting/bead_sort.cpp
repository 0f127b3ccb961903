#include "bead_sort.hpp"

void bead_sort(const Elements& A, Elements& B)
{
    // One pile of fallen beads per rod.
    std::array<std::int32_t, MAX_VALUE> counts{};

    // Drop: each value v lays one bead on each of its first v rods. Every rod
    // is visited and gains a bead only below v: without a branch or a
    // variable bound, the compiler handles four rods at a time.
    for (const std::int32_t v : A) {
        std::int32_t j = 0;
        for (std::int32_t& pile : counts) {
            pile += static_cast<std::int32_t>(j < v);
            ++j;
        }
    }

    // Rows: B[k] counts the rods whose pile reaches height ELEMENT_COUNT - k,
    // from the top row down, over all the rods. Each pile is looked at once
    // for all the rows, so the ten counters advance side by side.
    B.fill(0);
    for (const std::int32_t height : counts) {
        std::int32_t threshold = ELEMENT_COUNT;
        for (std::int32_t& counter : B) {
            counter += static_cast<std::int32_t>(height >= threshold);
            --threshold;
        }
    }
}
