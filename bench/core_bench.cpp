#include <benchmark/benchmark.h>

#include <sstream>

#include "cfg/cfg_reader.h"
#include "cfg/cfg_writer.h"
#include "config/config_image.h"

namespace zelvar {
namespace {

void BM_BuildConfigImage(benchmark::State& state) {
    const DeviceSettings defaults = defaultSettings();
    ConfigImage image{};
    for (auto _ : state) {
        DeviceSettings settings = defaults;
        benchmark::DoNotOptimize(buildConfigImage(settings, image));
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_BuildConfigImage);

void BM_CfgSave(benchmark::State& state) {
    const DeviceSettings settings = defaultSettings();
    const CalculatorInputs calculator;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeConfigText(settings, calculator));
}
BENCHMARK(BM_CfgSave);

void BM_CfgLoad(benchmark::State& state) {
    const std::string text = writeConfigText(defaultSettings(), CalculatorInputs{}).value();
    DeviceSettings settings;
    CalculatorInputs calculator;
    for (auto _ : state) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(readConfig(in, settings, calculator));
    }
}
BENCHMARK(BM_CfgLoad);

}  // namespace
}  // namespace zelvar
