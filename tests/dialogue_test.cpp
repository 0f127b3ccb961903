#include <gtest/gtest.h>

#include <string>

#include "read_elements_from_string.hpp"

namespace {

using namespace std::string_literals;

struct InputCase {
    const char* name;
    std::string input;
    int range_errors;
    int accepted;
    Elements A;
};

constexpr Elements one_to_ten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
const std::string two_to_ten = " 2 3 4 5 6 7 8 9 10";
// The UTF-8 byte-order mark, and its first two bytes.
const std::string mark = "\xEF\xBB\xBF";
const std::string part_of_mark = mark.substr(0, 2);

class ReadElements : public testing::TestWithParam<InputCase> {};

TEST_P(ReadElements, AcceptsOnlyWholeNumbersInRange)
{
    const InputCase& c = GetParam();
    const ReadElementsResult result = read_elements_from_string(c.input);
    const bool complete = c.accepted == ELEMENT_COUNT;

    EXPECT_EQ(occurrences(result.output, "Επαναλάβετε την είσοδο.\n"), c.range_errors);
    EXPECT_EQ(occurrences(result.output, "Εισάγετε το στοιχείο "),
              c.accepted + c.range_errors + (complete ? 0 : 1));
    ASSERT_EQ(result.complete, complete);
    if (complete) {
        EXPECT_EQ(result.A, c.A);
        // The report follows the last prompt directly.
        EXPECT_TRUE(result.output.ends_with("50): "));
    } else {
        // The open prompt line is ended, and the input was read to its end.
        EXPECT_TRUE(result.output.ends_with("50): \n"));
        EXPECT_TRUE(result.input_exhausted);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadElements,
    testing::Values(
        InputCase{"Bounds", "0 50 0 50 0 50 0 50 0 50\n", 0, 10, {0, 50, 0, 50, 0, 50, 0, 50, 0, 50}},
        InputCase{"JustOutside", "-1 51 1" + two_to_ten, 2, 10, one_to_ten},
        InputCase{
            "SignsAndZeros", "+7 007 -0 +0 -00 +050 0049 8 9 10", 0, 10, {7, 7, 0, 0, 0, 50, 49, 8, 9, 10}},
        InputCase{"TailOfNumberLeftForNextRead", "1abc" + two_to_ten, 1, 10, one_to_ten},
        InputCase{"SignAfterNumberStartsNext", "1+2 3-4 4 5 6 7 8 9 10", 1, 10, one_to_ten},
        InputCase{"WordsThatAreNotNumbers", "abc - + +-4 -+4 ,3 λ \x01 \x7f \xff 1" + two_to_ten, 10, 10,
                  one_to_ten},
        InputCase{"NulByte", "\0 1"s + two_to_ten, 1, 10, one_to_ten},
        InputCase{"BeyondThirtyTwoBits",
                  "4294967303 18446744073709551623 2147483648 -2147483649 2147483647 -2147483648 "
                  "-4294967297 99999999999999999999999 1" +
                      two_to_ten,
                  8, 10, one_to_ten},
        InputCase{"ThreeThousandZeros", std::string(3000, '0') + "1" + two_to_ten, 0, 10, one_to_ten},
        InputCase{"EveryKindOfWhiteSpace", "1\t2\v3\f4\r5\r\n6  7\n\n8 \t9\n10", 0, 10, one_to_ten},
        InputCase{"LastValueAtEndOfInput", "1" + two_to_ten, 0, 10, one_to_ten},
        InputCase{"Empty", "", 0, 0, {}}, InputCase{"OnlyWhiteSpace", " \n\t\n", 0, 0, {}},
        InputCase{"EndsAfterThree", "1 2 3\n", 0, 3, {}},
        InputCase{"EndsInJunk", "1 2 3 4 5 6 7 8 9 abc", 1, 9, {}},
        InputCase{"EndsInSign", "1 2 3 4 5 6 7 8 9 -", 1, 9, {}},
        // Notepad's byte-order mark is skipped at the very start, and only there.
        InputCase{"ByteOrderMark", mark + "1" + two_to_ten, 0, 10, one_to_ten},
        InputCase{"ByteOrderMarkAfterSpace", " " + mark + "1" + two_to_ten, 1, 9, {}},
        InputCase{"ByteOrderMarkAfterNumber", "1" + mark + "2 3 4 5 6 7 8 9 10", 1, 9, {}},
        InputCase{"PartOfByteOrderMark", part_of_mark + " 1" + two_to_ten, 1, 10, one_to_ten},
        InputCase{"PartOfByteOrderMarkBeforeDigit", part_of_mark + "1" + two_to_ten, 1, 9, {}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
