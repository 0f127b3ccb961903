// What the page's build of the program has beyond the shipped WASI command:
// the room where Asyncify keeps the stack of a read that waits for the user,
// and the figure of the beads told what the program's own sort did.

#include <cstddef>
#include <cstdint>

#include "bead_sort.hpp"

namespace {

// Measured need: between 128 and 256 bytes. A shortfall traps; it never
// writes past the room.
constexpr std::size_t saved_stack_size = 4096;

} // namespace

// Asyncify's layout: where the next saved frame goes, where the room ends,
// then the room. Saving and restoring leave the first back where it began.
struct AsyncifyData {
    unsigned char* next;
    unsigned char* end;
    unsigned char room[saved_stack_size];
};

// Reserved in the module's own data, below the heap, so that no allocator
// can ever hand it out; exported by the linker (its address, as a global),
// for the page to hand to Asyncify. Mutable by nature, as a stack is.
extern "C" {
AsyncifyData beadsort_asyncify_data{
    beadsort_asyncify_data.room, beadsort_asyncify_data.room + saved_stack_size, {}};
}

// The page's own imports: each step of the sort as it runs, then the values
// as the program's reader accepted them and as its sort gave them.
namespace page {
__attribute__((import_module("page"), import_name("drop"))) void drop(std::int32_t i, std::int32_t j,
                                                                      bool bead, std::int32_t pile);
__attribute__((import_module("page"), import_name("rows"))) void
rows(std::int32_t k, std::int32_t j, std::int32_t threshold, bool reached, std::int32_t counter);
__attribute__((import_module("page"), import_name("sorted"))) void
sorted(const std::int32_t* A, const std::int32_t* B, std::int32_t count);
} // namespace page

namespace {

// Tells the page each step of the program's own sort.
struct PageWatcher {
    static void drop(std::int32_t i, std::int32_t j, bool bead, std::int32_t pile)
    {
        page::drop(i, j, bead, pile);
    }
    static void rows(std::int32_t k, std::int32_t j, std::int32_t threshold, bool reached,
                     std::int32_t counter)
    {
        page::rows(k, j, threshold, reached, counter);
    }
};

} // namespace

// The sort that the program calls, in the page's build: this one, which the
// linker takes before the library's unwatched one. It is built so that a
// definition that does not match the program's declaration fails the build.
void bead_sort(const Elements& A, Elements& B)
{
    bead_sort(A, B, PageWatcher{});
    page::sorted(A.data(), B.data(), ELEMENT_COUNT);
}
