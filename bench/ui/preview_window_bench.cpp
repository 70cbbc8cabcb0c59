// One preview update after a keystroke, in the real windows offscreen (target below 2 ms,
// the core's work included); one paint of a field full of hidden characters.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "ui/field_edit.h"
#include "ui/preview_window.h"
#include "ui/setup_window.h"

namespace zelvar {
namespace {

// A TX delay typed in the main window with the preview open, both values noted as normalised:
// the field's own reactions, then the event-loop turn with the preview's one update (read the
// form, build on a copy, frame, decode, annotate, note the normalised fields, fill the tables)
// and the painting of what changed. With Arg(1) the whole preview is painted again on top.
void BM_PreviewWindowUpdate(benchmark::State& state) {
    SetupWindow window;
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("cmdPreview"))->click();
    auto* preview = window.findChild<PreviewWindow*>(QStringLiteral("frmPreview"));
    auto* txDelay = window.findChild<QLineEdit*>(QStringLiteral("edNumFlagsAuto"));
    QCoreApplication::processEvents();
    const QString typed[] = {QStringLiteral("10"), QStringLiteral("201")};
    std::size_t turn = 0;
    for (auto _ : state) {
        txDelay->setText(typed[turn++ % 2]);
        QCoreApplication::processEvents();
        if (state.range(0))
            preview->repaint();
    }
}
BENCHMARK(BM_PreviewWindowUpdate)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One paint of a field that a file filled with 30,000 characters each followed by a soft hyphen,
// at its start (Arg 0) and scrolled to its end (Arg 1): the marks cost what the field shows.
void BM_FieldPaintWithHiddenMarks(benchmark::State& state) {
    FieldEdit field(nullptr);
    field.writeUnfiltered(QStringLiteral("a\u00AD").repeated(30000));
    field.setCursorPosition(state.range(0) ? static_cast<int>(field.text().size()) : 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(field.grab());
}
BENCHMARK(BM_FieldPaintWithHiddenMarks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zelvar

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on window hints would bury the results.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
