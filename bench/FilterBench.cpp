#include "Filter.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

namespace {

// Raw axis positions spread over the whole scale, beyond it included, so that
// every branch of the shaping is taken and nothing folds to a constant.
const std::vector<double>& inputs() {
    static const std::vector<double> values = [] {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> position(-1.1e9, 1.1e9);
        std::vector<double> v(4096);
        for (double& x : v)
            x = position(random);
        return v;
    }();
    return values;
}

void run(benchmark::State& state, const Filter& filter) {
    const std::vector<double>& x = inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter.getValue(x[i]));
        i = (i + 1) & (x.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

void SimpleFilterGetValue(benchmark::State& state) {
    SimpleFilter filter(1073741823.0, 1073741823.0, 0.9, 0.95, 0.05, 0.02, 0.3);
    filter.setSlider(state.range(0) != 0);
    run(state, filter);
}

void CubicFilterGetValue(benchmark::State& state) {
    CubicFilter filter(1073741823.0, 1073741823.0, 0.9, 0.95, 0.05, 0.02,
                       {0.0, 0.1, 0.4, 1.0}, 1000);
    filter.setSlider(state.range(0) != 0);
    run(state, filter);
}

} // namespace

// Argument 0: ordinary centred axis; 1: slider.
BENCHMARK(SimpleFilterGetValue)->ArgName("slider")->Arg(0)->Arg(1);
BENCHMARK(CubicFilterGetValue)->ArgName("slider")->Arg(0)->Arg(1);
