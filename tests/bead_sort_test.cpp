#include <gtest/gtest.h>

#include <algorithm>

#include "bead_sort.hpp"

namespace {

struct SortCase {
    const char* name;
    Elements A;
    Elements B;
};

class BeadSort : public testing::TestWithParam<SortCase> {};

// What a watcher of the sort is told, turn by turn of each inner loop: on
// each rod, whether each value laid a bead there and the pile so far; then,
// on each rod, each row's threshold, whether the pile reached it, and its
// counter so far.
struct Told {
    std::array<std::array<bool, ELEMENT_COUNT>, MAX_VALUE> beads{};
    std::array<std::int32_t, MAX_VALUE> piles{};
    std::array<std::array<std::array<std::int32_t, 3>, ELEMENT_COUNT>, MAX_VALUE> rows{};
};
struct Recorder {
    Told* told;
    void drop(std::int32_t i, std::int32_t j, bool bead, std::int32_t pile) const
    {
        const auto rod = static_cast<std::size_t>(j);
        told->beads.at(rod).at(static_cast<std::size_t>(i)) = bead;
        told->piles.at(rod) = pile;
    }
    void rows(std::int32_t k, std::int32_t j, std::int32_t threshold, bool reached,
              std::int32_t counter) const
    {
        told->rows.at(static_cast<std::size_t>(j)).at(static_cast<std::size_t>(k)) = {
            threshold, reached ? 1 : 0, counter};
    }
};

// A is left unchanged because bead_sort takes it const: the compiler checks
// that, not a test.
TEST_P(BeadSort, FillsBInOrder)
{
    const SortCase& c = GetParam();
    Elements B{};
    bead_sort(c.A, B);
    EXPECT_EQ(B, c.B);

    // Watched, it sorts the same, and tells on each rod j a bead from each
    // value above j, and a pile of them; row k, at height 10 - k, is reached
    // on the rods below B[k], and its count grows by one on each, up to B[k].
    Told told;
    Elements watched{};
    bead_sort(c.A, watched, Recorder{&told});
    EXPECT_EQ(watched, c.B);
    for (std::int32_t j = 0; j < MAX_VALUE; ++j) {
        const auto rod = static_cast<std::size_t>(j);
        for (std::size_t i = 0; i < c.A.size(); ++i) {
            EXPECT_EQ(told.beads.at(rod).at(i), c.A.at(i) > j) << "value " << i << " on rod " << j;
        }
        EXPECT_EQ(told.piles.at(rod),
                  std::count_if(c.A.begin(), c.A.end(), [j](std::int32_t v) { return v > j; }));
        for (std::size_t k = 0; k < c.B.size(); ++k) {
            const std::array<std::int32_t, 3> row{ELEMENT_COUNT - static_cast<std::int32_t>(k),
                                                  c.B.at(k) > j ? 1 : 0, std::min(c.B.at(k), j + 1)};
            EXPECT_EQ(told.rows.at(rod).at(k), row) << "row " << k << " after rod " << j;
        }
    }
}

constexpr Elements road_sorted{0, 1, 3, 3, 3, 7, 9, 12, 44, 50};

INSTANTIATE_TEST_SUITE_P(
    Cases, BeadSort,
    testing::Values(
        SortCase{"AllZero", {}, {}},
        SortCase{
            "AllFifty", {50, 50, 50, 50, 50, 50, 50, 50, 50, 50}, {50, 50, 50, 50, 50, 50, 50, 50, 50, 50}},
        SortCase{
            "OneFiftyOnlyBottomRowFull", {0, 0, 0, 50, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 50}},
        SortCase{
            "TenEqual", {17, 17, 17, 17, 17, 17, 17, 17, 17, 17}, {17, 17, 17, 17, 17, 17, 17, 17, 17, 17}},
        SortCase{"Road", {7, 3, 50, 0, 12, 3, 9, 1, 44, 3}, road_sorted},
        SortCase{"AlreadySorted", road_sorted, road_sorted},
        SortCase{"Reversed", {50, 44, 12, 9, 7, 3, 3, 3, 1, 0}, road_sorted},
        SortCase{"Shuffled", {3, 44, 0, 3, 50, 9, 1, 12, 3, 7}, road_sorted},
        // A pile exactly as high as a row reaches it.
        SortCase{"PilesEqualToRows", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        SortCase{
            "FirstAndLastRod", {49, 1, 49, 1, 49, 1, 49, 1, 49, 1}, {1, 1, 1, 1, 1, 49, 49, 49, 49, 49}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
