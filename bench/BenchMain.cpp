#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Runs every benchmark with repetitions in random interleaving, so that a
// contender and its reference share the machine's moods, then prints the
// ratios of their median CPU times. Flags given on the command line come after
// these defaults and so take precedence.

namespace {

struct Ratio {
    const char* what;
    const char* contender;
    const char* reference;
    double target;  // the ratio should stay at or below this
};

const Ratio ratios[] = {
    {"engine / lower bound, realistic", "BM_BindingFrame/realistic", "BM_LowerBoundFrame/realistic", 1.25},
    {"engine / lower bound, 10x combos over 10x codes", "BM_BindingFrame/tenTimesCombosOverTenTimesCodes",
     "BM_LowerBoundFrame/tenTimesCombosOverTenTimesCodes", 1.25},
    {"engine / lower bound, 10x combos on the same codes", "BM_BindingFrame/tenTimesCombosOnTheSameCodes",
     "BM_LowerBoundFrame/tenTimesCombosOnTheSameCodes", 1.25},
    {"engine / lower bound, 4x events", "BM_BindingFrame/fourTimesEvents", "BM_LowerBoundFrame/fourTimesEvents",
     1.25},
    {"log entry / entry flushed per piece", "BM_LogEntry", "BM_LogEntryFlushedPerPiece", 0.5},
    {"1024 events by runs / one by one", "BM_EventList1024ByRuns", "BM_EventList1024OneByOne", 0.1},
    {"vorlan.process() / C++ process", "BM_ProcessFromLua", "BM_ProcessFromCpp", 2.0},
    {"replay / per-line parse of the same session", "BM_SessionReplayed", "BM_SessionParsedPerLine", 2.5},
};

struct Figures {
    double median = 0;  // CPU seconds per iteration
    double cv = 0;      // coefficient of variation over the repetitions
};

// Passes everything to the console and keeps the median and spread of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.error_occurred)
                continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            if (run.aggregate_name == "median")
                figures[name].median = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            else if (run.aggregate_name == "cv")
                figures[name].cv = run.cpu_accumulated_time;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const {
        std::printf("\n%-52s %7s %7s %11s %11s\n", "ratio (median CPU time)", "value", "target", "noise(cv)",
                    "verdict");
        for (const Ratio& r : ratios) {
            auto a = figures.find(r.contender), b = figures.find(r.reference);
            if (a == figures.end() || b == figures.end() || b->second.median <= 0)
                continue;
            const double value = a->second.median / b->second.median;
            const double noise = (a->second.cv + b->second.cv) * 100;
            std::printf("%-52s %7.3f %7.2f %10.1f%% %11s\n", r.what, value, r.target, noise,
                        value <= r.target ? "met" : "over");
        }
    }

private:
    std::map<std::string, Figures> figures;
};

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args{argv[0]};
    std::string defaults[] = {"--benchmark_repetitions=6", "--benchmark_enable_random_interleaving=true",
                              "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.2"};
    for (std::string& flag : defaults)
        args.push_back(flag.data());
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
