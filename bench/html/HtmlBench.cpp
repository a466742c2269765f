// html_bench: the HTML renderer's layout and hit-testing time for 8k and 64k
// characters of mixed tags, on a canvas that measures on the fixed grid and
// keeps nothing, closing with the 64k/8k time ratio of each (8 means the
// work grows with the text).
#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/RecordingCanvas.h"
#include "tests/support/HtmlSamples.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// Measures like the recording canvas; draws and keeps nothing.
class TNullCanvas : public TRecordingCanvas {
protected:
    void DoText(int, int, std::string_view, const TFont&, const RECT*, bool) override {}
    void DoPolyline(const std::vector<POINT>&) override {}
    void DoFillRect(const RECT&) override {}
    void DoFocusRect(const RECT&) override {}
};

void Run(benchmark::State& state, bool checkOnly) {
    std::string text = htmlsamples::MixedText(size_t(state.range(0)));
    TNullCanvas canvas;
    THTMLDrawParams p;
    p.CheckOnly = checkOnly;
    p.X = 100;
    p.Y = 500;
    for (auto _ : state) {
        THTMLDrawResult result;
        benchmark::DoNotOptimize(HTMLDrawEx(canvas, text, Rect(0, 0, 400, 1 << 30), p, result));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// Lays out and draws the whole text.
void BM_Layout(benchmark::State& state) {
    Run(state, false);
}
// Lays out and tests a point against the anchors, drawing nothing.
void BM_HitTest(benchmark::State& state) {
    Run(state, true);
}

BENCHMARK(BM_Layout)->Arg(8 * 1024)->Arg(64 * 1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest)->Arg(8 * 1024)->Arg(64 * 1024)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name.empty())
                times_[run.run_name.str()] = run.GetAdjustedRealTime();
    }

    void PrintRatios() const {
        std::printf("\n%-12s %12s %12s %10s\n", "benchmark", "8k (ms)", "64k (ms)", "64k/8k");
        for (const char* name : {"BM_Layout", "BM_HitTest"}) {
            auto small = times_.find(std::string(name) + "/8192");
            auto large = times_.find(std::string(name) + "/65536");
            if (small == times_.end() || large == times_.end() || small->second <= 0)
                continue;
            std::printf("%-12s %12.3f %12.3f %9.2fx\n", name, small->second, large->second,
                        large->second / small->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    return 0;
}
