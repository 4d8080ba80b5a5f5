#pragma once

// What every benchmark executable shares: how a run takes its arguments, the
// machine line, durations and sizes as text, and the medians of the runs that
// the ratios are computed from.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

// Takes --quick out of `args`; a full run repeats every benchmark three times
// and shows the medians, a quick one runs each once for a short while.
// Google Benchmark's own flags (--benchmark_filter, --benchmark_repetitions,
// ...) take precedence. Then initializes Google Benchmark; false after an
// argument that nobody takes has been reported.
bool InitBenchmarks(std::vector<char*> args, void (*printHelp)(), bool& quick);

// CPU, cores, compiler and build type, Qt and SQLite versions.
void PrintMachine();

// Sets the allocator up as ore-server and the host do at start (see
// MemoryTuning.h), unless ORE_BENCH_RAW_MALLOC is set to measure with the C
// library's defaults, and prints which.
void SetUpAllocator();

std::string Duration(double seconds); // "13.7 µs", "8.3 ms", "1.41 s"
std::string Bytes(long long bytes);   // "94.0 MB"

// The median of `v`, which it sorts; 0 for none.
double Median(std::vector<double>& v);

// One line of the ratios: what is compared, the time shown beside it, the
// ratio, and the target when there is one (a ratio of at least or at most).
enum class TTargetKind { AtLeast, AtMost };
void PrintRatioLine(const char* label, double seconds, double ratio, double target = 0,
                    TTargetKind kind = TTargetKind::AtLeast);

enum class TBenchTime { Cpu, Real };

// The console table, plus the time per iteration of every run, by benchmark.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override;

    // The median over repetitions; nothing when the benchmark did not run.
    std::optional<double> Seconds(const std::string& name, TBenchTime time = TBenchTime::Cpu) const;

private:
    struct TTimes {
        std::vector<double> runs;
        std::optional<double> median;
    };
    std::map<std::string, TTimes> m_times[2];
};
