// Feeds arbitrary bytes to the whole dialogue, through memory, and checks
// that every run ends either in a complete report of the accepted values in
// order or in the end-of-input outcome.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <stdio.h> // fmemopen, open_memstream: POSIX, for the harness only

#include "bead_sort.hpp"
#include "dialogue.hpp"

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

// The report: ten numbered result lines holding B, the spacer and the rule.
void check_report(std::string_view report, const Elements& A)
{
    Elements sorted = A;
    std::sort(sorted.begin(), sorted.end());
    for (std::int32_t position = 1; position <= ELEMENT_COUNT; ++position) {
        int number = 0;
        int value = 0;
        int used = 0;
        const int matched =
            std::sscanf(report.data(), "Το στοιχείο %d είναι ίσο με %d%n", &number, &value, &used);
        require(matched == 2 && number == position, "a numbered result line");
        require(value >= 0 && value <= MAX_VALUE, "a result in range");
        require(value == sorted[static_cast<std::size_t>(position - 1)], "the accepted values, in order");
        report.remove_prefix(static_cast<std::size_t>(used));
        require(report.starts_with(" \n"), "a blank and a line break after the value");
        report.remove_prefix(2);
    }
    require(report == "\n\n------------------------------\n", "the spacer and the rule, then nothing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // fmemopen reads the bytes in place; they are never written.
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    char* output = nullptr;
    std::size_t output_size = 0;
    std::FILE* out = open_memstream(&output, &output_size);
    require(in != nullptr && out != nullptr, "memory streams");

    Elements A{};
    const bool complete = read_elements(in, out, A);
    if (complete) {
        require(std::all_of(A.begin(), A.end(), [](std::int32_t v) { return v >= 0 && v <= MAX_VALUE; }),
                "accepted values in range");
        Elements B{};
        bead_sort(A, B);
        print_report(out, B);
    } else {
        require(std::feof(in) != 0, "the end of the input reached");
    }
    require(std::fflush(out) == 0 && std::ferror(out) == 0, "output written");

    const std::string_view text(output, output_size);
    constexpr std::string_view prompt_end = "0 έως και 50): ";
    const auto last_prompt = text.rfind(prompt_end);
    require(last_prompt != std::string_view::npos, "a prompt");
    const std::string_view after = text.substr(last_prompt + prompt_end.size());
    if (complete) {
        check_report(after, A);
    } else {
        require(after == "\n", "the open prompt line ended, then nothing");
    }

    std::fclose(in);
    std::fclose(out);
    std::free(output);
    return 0;
}
