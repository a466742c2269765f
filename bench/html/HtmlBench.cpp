// html_bench: the HTML renderer's layout and hit-testing time for 64 KiB and
// 1 MiB of three texts (mixed tags; plain words without a tag; long words
// with entities), on a canvas that measures on the fixed grid and keeps
// nothing, closing with the 1M/64k time ratio of each (16 means the work
// grows with the text; a cost that grows with its square shows far more).
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

// A text the benchmark lays out, made at any length.
struct TInput {
    const char* Name;
    std::string (*Make)(size_t length);
};

const TInput kInputs[] = {
    {"mixed", htmlsamples::MixedText},
    {"plain", htmlsamples::PlainText},
    {"longwords", htmlsamples::LongWordsText},
};

// The two modes: lay out and draw the whole text, or lay out and test a
// point against the anchors, drawing nothing.
const char* const kModes[] = {"BM_Layout", "BM_HitTest"};

constexpr int64_t kSmall = 64 * 1024;
constexpr int64_t kLarge = 1024 * 1024;

void Run(benchmark::State& state, const TInput& input, bool checkOnly) {
    std::string text = input.Make(size_t(state.range(0)));
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

// The name of a benchmark without its size: "BM_Layout/plain".
std::string NameOf(const char* mode, const TInput& input) {
    return std::string(mode) + "/" + input.Name;
}

void RegisterAll() {
    for (const TInput& input : kInputs) {
        for (const char* mode : kModes) {
            bool checkOnly = std::string(mode) == "BM_HitTest";
            benchmark::RegisterBenchmark(
                NameOf(mode, input).c_str(),
                [&input, checkOnly](benchmark::State& state) { Run(state, input, checkOnly); })
                ->Arg(kSmall)
                ->Arg(kLarge)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

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
        std::printf("\n%-22s %12s %12s %10s\n", "benchmark", "64k (ms)", "1M (ms)", "1M/64k");
        for (const TInput& input : kInputs) {
            for (const char* mode : kModes) {
                std::string name = NameOf(mode, input);
                auto small = times_.find(name + "/" + std::to_string(kSmall));
                auto large = times_.find(name + "/" + std::to_string(kLarge));
                if (small == times_.end() || large == times_.end() || small->second <= 0)
                    continue;
                std::printf("%-22s %12.3f %12.3f %9.2fx\n", name.c_str(), small->second,
                            large->second, large->second / small->second);
            }
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    return 0;
}
