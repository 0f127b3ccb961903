#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "bead_sort.hpp"
#include "read_elements_from_string.hpp"

namespace {

// A random input stream of whitespace-separated words, and the values that a
// correct dialogue accepts from it, in order.
struct Stream {
    std::string text;
    std::vector<std::int32_t> accepted;
};

Stream random_stream(std::mt19937& rng)
{
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const std::string spaces = " \t\n\v\f\r";
    const std::vector<std::string> junk_starts{"x", "-", "+", "+-",   "--",
                                               ",", "λ", ".", "\x80", std::string(1, '\0')};

    Stream stream;
    const int words = pick(0, 30);
    for (int w = 0; w < words; ++w) {
        std::string word;
        switch (pick(0, 3)) {
        case 0: {
            const int value = pick(0, MAX_VALUE);
            const std::string sign = std::array{"", "", "+", "-"}[static_cast<std::size_t>(pick(0, 3))];
            word = sign + std::string(static_cast<std::size_t>(pick(0, 2)), '0') + std::to_string(value);
            if (sign != "-" || value == 0) {
                stream.accepted.push_back(value);
            }
            break;
        }
        case 1:
            word = std::to_string(pick(0, 1) == 0 ? pick(-100000, -1) : pick(MAX_VALUE + 1, 100000));
            break;
        case 2:
            word.push_back(pick(0, 1) == 0 ? '-' : '+');
            word.push_back(static_cast<char>('1' + pick(0, 8)));
            for (int d = pick(10, 40); d > 0; --d) {
                word += static_cast<char>('0' + pick(0, 9));
            }
            break;
        default:
            word = junk_starts[static_cast<std::size_t>(pick(0, static_cast<int>(junk_starts.size()) - 1))];
            for (int d = pick(0, 5); d > 0; --d) {
                word += "ab.,"[pick(0, 3)];
            }
            break;
        }
        stream.text += word;
        stream.text += spaces[static_cast<std::size_t>(pick(0, 5))];
    }
    return stream;
}

TEST(ReadAndSort, ReportIsTheSortedAcceptedValues)
{
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
        std::mt19937 rng(seed);
        const Stream stream = random_stream(rng);
        SCOPED_TRACE("seed " + std::to_string(seed));

        const ReadElementsResult result = read_elements_from_string(stream.text);
        ASSERT_EQ(result.complete, stream.accepted.size() >= ELEMENT_COUNT);
        if (!result.complete) {
            continue;
        }
        EXPECT_TRUE(std::equal(result.A.begin(), result.A.end(), stream.accepted.begin()));

        Elements B{};
        bead_sort(result.A, B);
        std::vector<std::int32_t> expected(stream.accepted.begin(), stream.accepted.begin() + ELEMENT_COUNT);
        std::sort(expected.begin(), expected.end());
        EXPECT_TRUE(std::equal(B.begin(), B.end(), expected.begin()));
    }
}

} // namespace
