// How long the burst takes to set up, and one frame of its motion, on the host.
#include <benchmark/benchmark.h>

#include "model/fragments.h"
#include "model/motion.h"

namespace {

void BM_BuildFragments(benchmark::State& state) {
    BuildSphereMesh();
    for (auto _ : state) {
        BuildFragments();
        benchmark::DoNotOptimize(fragments);
    }
}
BENCHMARK(BM_BuildFragments);

// One burst frame's model work: the camera step and every fragment's move.
void BM_BurstMotionStep(benchmark::State& state) {
    BuildSphereMesh();
    BuildFragments();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlaceCamera());
        for (int p = 0; p < kFragmentCells; ++p) {
            for (int a = 0; a < kFragmentCells; ++a) {
                MoveFragment(fragments[a][p]);
            }
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BurstMotionStep);

}  // namespace
