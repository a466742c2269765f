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
            // With repetitions, only means and medians have a meaningful ratio.
            bool spread = run.aggregate_name == "stddev" || run.aggregate_name == "cv";
            if (found != run.counters.end() && !spread)
                rows_.push_back(
                    {run.run_name.str(), run.aggregate_name, found->second.value / 1e6});
        }
    }

    void PrintRatios() const {
        // A figure is compared with expat's on the same document and of the
        // same kind (a single run, or the mean or median of repetitions).
        std::map<std::string, double> expat;
        for (const Row& row : rows_)
            if (row.name.substr(row.name.find('/') + 1) == "expat")
                expat[Document(row) + "_" + row.aggregate] = row.mbps;
        std::printf("\n%-32s %10s %10s\n", "benchmark", "MB/s", "vs expat");
        for (const Row& row : rows_) {
            std::string name = row.aggregate.empty() ? row.name : row.name + "_" + row.aggregate;
            auto base = expat.find(Document(row) + "_" + row.aggregate);
            if (base != expat.end() && base->second > 0)
                std::printf("%-32s %10.1f %9.2fx\n", name.c_str(), row.mbps,
                            row.mbps / base->second);
            else
                std::printf("%-32s %10.1f %10s\n", name.c_str(), row.mbps, "-");
        }
    }

private:
    struct Row {
        std::string name;      // "<document>/<implementation>"
        std::string aggregate; // empty for a single run
        double mbps;
    };
    static std::string Document(const Row& row) { return row.name.substr(0, row.name.find('/')); }

    std::vector<Row> rows_;
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
