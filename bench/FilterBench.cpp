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
    const double k = static_cast<double>(state.range(1)) / 100.0;
    SimpleFilter filter(1073741823.0, 1073741823.0, 0.9, 0.95, 0.05, 0.02, k);
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

// slider 0: ordinary centred axis; 1: slider. The curvature k, in hundredths,
// takes each of the exponential curve's forms: rising slowly, rising fast, and
// the gentle bend that needs expm1.
BENCHMARK(SimpleFilterGetValue)
    ->ArgNames({"slider", "k_x100"})
    ->ArgsProduct({{0, 1}, {30, -30, 3}});
BENCHMARK(CubicFilterGetValue)->ArgName("slider")->Arg(0)->Arg(1);
