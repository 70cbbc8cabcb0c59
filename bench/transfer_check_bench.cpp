#include <benchmark/benchmark.h>

#include "config/config_image.h"
#include "transfer/transfer_check.h"

namespace zelvar {
namespace {

// One transfer judged as a reader at 38400 bit/s gets it: lead-ins and blocks in reads of
// 8 bytes, the pauses between them, then the quiet that ends it.
void BM_TransferCheckOneTransfer(benchmark::State& state) {
    DeviceSettings settings = defaultSettings();
    ConfigImage image{};
    buildConfigImage(settings, image);
    const WireBytes wire = wireBytes(image);
    TransferCheck check;
    LineTime now{};
    using std::chrono::milliseconds;
    struct Write {
        std::size_t from, count;
        milliseconds before;
    };
    const Write writes[] = {{0, 2, milliseconds(300)},
                            {2, 83, milliseconds(10)},
                            {85, 2, milliseconds(600)},
                            {87, 83, milliseconds(10)}};
    for (auto _ : state) {
        for (const Write& write : writes) {
            now += write.before;
            for (std::size_t at = write.from; at < write.from + write.count; at += 8) {
                const std::size_t count = std::min<std::size_t>(8, write.from + write.count - at);
                now += milliseconds(2);
                benchmark::DoNotOptimize(check.receive(std::span(wire).subspan(at, count), now));
            }
        }
        now += std::chrono::seconds(1);
        std::optional<TransferReport> report = check.advance(now);
        if (!report || !report->ok())
            state.SkipWithError("the transfer was not judged good");
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_TransferCheckOneTransfer);

}  // namespace
}  // namespace zelvar
