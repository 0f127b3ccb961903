// What the page's build of the program has beyond the shipped WASI command:
// the room where Asyncify keeps the stack of a read that waits for the user.
// It is reserved in the module's own data, below the heap, so that no
// allocator can ever hand it out.

#include <cstddef>

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

// Exported by the linker (its address, as a global), for the page to hand to
// Asyncify; mutable by nature, as a stack is.
extern "C" {
AsyncifyData beadsort_asyncify_data{
    beadsort_asyncify_data.room, beadsort_asyncify_data.room + saved_stack_size, {}};
}
