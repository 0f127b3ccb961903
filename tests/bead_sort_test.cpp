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

// What a watcher of the sort is told: each rod's pile, and the rows' counts
// after each rod.
struct Told {
    std::array<std::int32_t, MAX_VALUE> piles{};
    std::array<Elements, MAX_VALUE> rows{};
};
struct Recorder {
    Told* told;
    void dropped(std::int32_t j, std::int32_t pile) const
    {
        told->piles.at(static_cast<std::size_t>(j)) = pile;
    }
    void counted(std::int32_t j, const Elements& rows) const
    {
        told->rows.at(static_cast<std::size_t>(j)) = rows;
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

    // Watched, it sorts the same, and tells on each rod j a pile of the
    // values above j; each row's count grows by at most one a rod, up to B.
    Told told;
    Elements watched{};
    bead_sort(c.A, watched, Recorder{&told});
    EXPECT_EQ(watched, c.B);
    for (std::int32_t j = 0; j < MAX_VALUE; ++j) {
        const auto rod = static_cast<std::size_t>(j);
        EXPECT_EQ(told.piles.at(rod),
                  std::count_if(c.A.begin(), c.A.end(), [j](std::int32_t v) { return v > j; }));
        for (std::size_t k = 0; k < c.B.size(); ++k) {
            EXPECT_EQ(told.rows.at(rod).at(k), std::min(c.B.at(k), j + 1))
                << "row " << k << " after rod " << j;
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
