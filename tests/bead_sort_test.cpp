#include <gtest/gtest.h>

#include "bead_sort.hpp"

namespace {

struct SortCase {
    const char* name;
    Elements A;
    Elements B;
};

class BeadSort : public testing::TestWithParam<SortCase> {};

// A is left unchanged because bead_sort takes it const: the compiler checks
// that, not a test.
TEST_P(BeadSort, FillsBInOrder)
{
    const SortCase& c = GetParam();
    Elements B{};
    bead_sort(c.A, B);
    EXPECT_EQ(B, c.B);
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
