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

// The page's own imports: the sort's steps as they run, then the values as
// the program's reader accepted them and as its sort gave them, for the
// figure to draw.
namespace page {
__attribute__((import_module("page"), import_name("dropped"))) void dropped(std::int32_t j,
                                                                            std::int32_t pile);
__attribute__((import_module("page"), import_name("counted"))) void
counted(std::int32_t j, const std::int32_t* rows, std::int32_t count);
__attribute__((import_module("page"), import_name("sorted"))) void
sorted(const std::int32_t* entered, const std::int32_t* fallen, std::int32_t count);
} // namespace page

namespace {

// Tells the page each step of the program's own sort.
struct PageWatcher {
    static void dropped(std::int32_t j, std::int32_t pile)
    {
        page::dropped(j, pile);
    }
    static void counted(std::int32_t j, const Elements& rows)
    {
        page::counted(j, rows.data(), ELEMENT_COUNT);
    }
};

} // namespace

// The linker sends the program's call of the sort here (--wrap=SORT): the
// same sort, watched.
void wrapped_bead_sort(const Elements& A, Elements& B) __asm__("__wrap_" BEAD_SORT_SYMBOL);

void wrapped_bead_sort(const Elements& A, Elements& B)
{
    bead_sort(A, B, PageWatcher{});
    page::sorted(A.data(), B.data(), ELEMENT_COUNT);
}
