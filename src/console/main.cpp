// beadsort: asks for ten whole numbers in 0..50, sorts them by letting beads
// fall on 50 rods, and prints them in order.

#include <cstdio>
#include <cstdlib>

#include "bead_sort.hpp"
#include "dialogue.hpp"
#include "texts.hpp"

namespace {

// Flushes standard output; says so on standard error if anything written to
// it was lost, and returns false then.
bool flush_output_reporting_failure()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) {
        return true;
    }
    std::fputs(text::write_failed, stderr);
    return false;
}

} // namespace

int main()
{
    Elements A{};
    if (!read_elements(stdin, stdout, A)) {
        if (std::ferror(stdin) != 0) {
            std::fputs(text::read_failed, stderr);
        } else {
            std::fprintf(stderr, text::input_ended, ELEMENT_COUNT);
        }
        flush_output_reporting_failure();
        return EXIT_FAILURE;
    }

    Elements B{};
    bead_sort(A, B);
    print_report(stdout, B);
    return flush_output_reporting_failure() ? EXIT_SUCCESS : EXIT_FAILURE;
}
