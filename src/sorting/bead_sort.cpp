#include "bead_sort.hpp"

#ifdef BEADSORT_MULTIVERSION
// Built twice, for AVX2 (x86-64-v3) and for any x86-64 CPU; the loader picks
// one at start-up (an ifunc). Windows has no ifunc, so mingw-w64 builds keep
// the baseline only. Flattened, so that each build has the loops compiled for
// its own processor, rather than a call to them compiled for the baseline.
[[gnu::target_clones("arch=x86-64-v3", "default"), gnu::flatten]]
#endif
void bead_sort(const Elements& A, Elements& B)
{
    bead_sort(A, B, Unwatched{});
}
