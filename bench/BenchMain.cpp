// Runs the XML benchmarks and closes with a table of every figure in MB/s and
// its ratio to expat on the same document ("<document>/<implementation>").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto found = run.counters.find("bytes_per_second");
            if (found != run.counters.end())
                rows_.emplace_back(run.benchmark_name(), found->second.value / 1e6);
        }
    }

    void PrintRatios() const {
        std::map<std::string, double> expat;
        for (const auto& [name, mbps] : rows_)
            if (name.substr(name.find('/') + 1) == "expat")
                expat[name.substr(0, name.find('/'))] = mbps;
        std::printf("\n%-32s %10s %10s\n", "benchmark", "MB/s", "vs expat");
        for (const auto& [name, mbps] : rows_) {
            auto base = expat.find(name.substr(0, name.find('/')));
            if (base != expat.end() && base->second > 0)
                std::printf("%-32s %10.1f %9.2fx\n", name.c_str(), mbps, mbps / base->second);
            else
                std::printf("%-32s %10.1f %10s\n", name.c_str(), mbps, "-");
        }
    }

private:
    std::vector<std::pair<std::string, double>> rows_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
