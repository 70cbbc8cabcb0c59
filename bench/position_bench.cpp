#include <benchmark/benchmark.h>

#include "geo/coordinate_validation.h"
#include "geo/position_calculation.h"

namespace zelvar {
namespace {

// What every key release in a coordinate field costs.
void BM_ValidateCoordinate(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            validateCoordinate("-72.45.00", Axis::Longitude, Notation::GradMinSec));
    }
}
BENCHMARK(BM_ValidateCoordinate);

// One press of the write button, for each form.
void BM_CalculatePosition(benchmark::State& state) {
    PositionRequest request;
    request.latitude = "49.30.00";
    request.longitude = "-72.45.00";
    request.notation = Notation::GradMinSec;
    request.altitude = "300";
    request.includeAltitude = true;
    request.form = state.range(0) ? PositionForm::Compressed : PositionForm::Normal;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calculatePosition(request));
    }
}
BENCHMARK(BM_CalculatePosition)->Arg(0)->Arg(1);

}  // namespace
}  // namespace zelvar
