#include <benchmark/benchmark.h>

#include "transfer/send_preview.h"

namespace zelvar {
namespace {

// The core's work for one preview update after a keystroke: build on a copy, frame, decode,
// annotate, note the normalised fields and, in GPSless Mode, read the beacon as a position
// (target below 2 ms).
void BM_PreviewSend(benchmark::State& state) {
    DeviceSettings form = defaultSettings();
    if (state.range(0)) {
        form.acquisitionTimeout = "000";
        form.beacon = "=4930.00N/07245.00W>/A=000984";
        form.txDelay = "010";
        form.path = "WIDE1-1,";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(previewSend(form));
    }
}
BENCHMARK(BM_PreviewSend)->Arg(0)->Arg(1);

}  // namespace
}  // namespace zelvar
