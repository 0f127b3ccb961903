// The bead sort against std::sort, on the same pseudo-random sets of ten
// values in 0..MAX_VALUE; each sort reads A and fills B.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "bead_sort.hpp"

namespace {

const std::vector<Elements>& inputs()
{
    static const std::vector<Elements> sets = [] {
        std::mt19937 rng(2026);
        std::uniform_int_distribution<std::int32_t> value(0, MAX_VALUE);
        std::vector<Elements> made(1024);
        for (Elements& A : made) {
            std::generate(A.begin(), A.end(), [&] { return value(rng); });
        }
        return made;
    }();
    return sets;
}

template <typename Sort> void run(benchmark::State& state, Sort sort)
{
    const std::vector<Elements>& sets = inputs();
    std::size_t next = 0;
    Elements B{};
    for (auto _ : state) {
        sort(sets[next], B);
        benchmark::DoNotOptimize(B);
        next = (next + 1) % sets.size();
    }
}

void BM_BeadSort(benchmark::State& state)
{
    run(state, [](const Elements& A, Elements& B) { bead_sort(A, B); });
}

void BM_StdSort(benchmark::State& state)
{
    run(state, [](const Elements& A, Elements& B) {
        B = A;
        std::sort(B.begin(), B.end());
    });
}

// The build of bead_sort that this CPU runs.
const char* sort_build()
{
#ifdef BEADSORT_MULTIVERSION
    return __builtin_cpu_supports("x86-64-v3") ? "x86-64-v3 (AVX2)" : "baseline x86-64";
#else
    return "baseline x86-64 (the only build)";
#endif
}

} // namespace

BENCHMARK(BM_BeadSort);
BENCHMARK(BM_StdSort);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("bead_sort build", sort_build());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
