// beadsort: asks for ten whole numbers in 0..50, sorts them by letting beads
// fall on 50 rods, and prints them in order.

#include <cstdio>
#include <cstdlib>

#include "bead_sort.hpp"
#include "dialogue.hpp"
#include "texts.hpp"

int main()
{
    Elements A{};
    if (!read_elements(stdin, stdout, A)) {
        std::fprintf(stderr, text::input_ended, ELEMENT_COUNT);
        return EXIT_FAILURE;
    }

    Elements B{};
    bead_sort(A, B);
    print_report(stdout, B);

    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs(text::write_failed, stderr);
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
