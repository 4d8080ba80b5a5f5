#include "bench/common/BenchCommon.h"

#include "core/data/MemoryTuning.h"

#include <QtGlobal>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#ifndef ORE_BENCH_BUILD_TYPE
#define ORE_BENCH_BUILD_TYPE "unknown"
#endif

namespace {

std::string CpuModel() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    return "unknown";
}

int ProcCount(const char* file, const char* prefix) {
    std::ifstream in(file);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
        n += line.rfind(prefix, 0) == 0;
    return n;
}

std::string Compiler() {
#if defined(__clang__)
    return "Clang " __clang_version__;
#elif defined(__GNUC__)
    return "GCC " __VERSION__;
#else
    return "unknown";
#endif
}

bool HasFlag(const std::vector<char*>& args, const char* prefix) {
    return std::any_of(args.begin() + 1, args.end(), [prefix](const char* a) {
        return std::strncmp(a, prefix, std::strlen(prefix)) == 0;
    });
}

} // namespace

bool InitBenchmarks(std::vector<char*> args, void (*printHelp)(), bool& quick) {
    // One disturbed run on this shared machine should not make a figure.
    static char minTime[] = "--benchmark_min_time=0.05";
    static char repetitions[] = "--benchmark_repetitions=3";
    static char aggregatesOnly[] = "--benchmark_display_aggregates_only=true";
    const auto flag = std::find_if(args.begin(), args.end(),
                                   [](const char* a) { return std::strcmp(a, "--quick") == 0; });
    quick = flag != args.end();
    if (quick)
        args.erase(flag);
    const std::vector<char*> given = args;
    if (quick && !HasFlag(given, "--benchmark_min_time"))
        args.push_back(minTime);
    if (!quick && !HasFlag(given, "--benchmark_repetitions")) {
        args.push_back(repetitions);
        if (!HasFlag(given, "--benchmark_display_aggregates_only"))
            args.push_back(aggregatesOnly);
    }
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data(), printHelp);
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

void PrintMachine() {
    std::printf("Machine\n");
    std::printf("  CPU:       %s\n", CpuModel().c_str());
    std::printf("  cores:     %d listed in /proc/cpuinfo, %u usable\n",
                ProcCount("/proc/cpuinfo", "processor"), std::thread::hardware_concurrency());
    std::printf("  compiler:  %s, %s build\n", Compiler().c_str(), ORE_BENCH_BUILD_TYPE);
    std::printf("  Qt:        %s (built against %s)\n", qVersion(), QT_VERSION_STR);
    std::printf("  SQLite:    %s\n", sqlite3_libversion());
}

std::string Duration(double s) {
    char buf[32];
    if (s < 1e-3)
        std::snprintf(buf, sizeof buf, "%.1f µs", s * 1e6);
    else if (s < 1)
        std::snprintf(buf, sizeof buf, "%.1f ms", s * 1e3);
    else
        std::snprintf(buf, sizeof buf, "%.2f s", s);
    return buf;
}

std::string Bytes(long long b) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", double(b) / 1e6);
    return buf;
}

double Median(std::vector<double>& v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PrintRatioLine(const char* label, double seconds, double ratio, double target,
                    TTargetKind kind) {
    std::printf("  %-34s %10s  %9.1f×", label, Duration(seconds).c_str(), ratio);
    if (target > 0) {
        const bool atLeast = kind == TTargetKind::AtLeast;
        const bool met = atLeast ? ratio >= target : ratio <= target;
        std::printf("   target %s %g×: %s", atLeast ? "≥" : "≤", target, met ? "met" : "MISSED");
    }
    std::printf("\n");
}

void TRatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const auto& r : runs) {
        if (r.error_occurred || r.iterations <= 0)
            continue;
        const double iterations = double(r.iterations);
        const double perIteration[2] = {r.cpu_accumulated_time / iterations,
                                        r.real_accumulated_time / iterations};
        for (int t = 0; t < 2; ++t) {
            TTimes& times = m_times[t][r.run_name.function_name];
            if (r.run_type == Run::RT_Iteration)
                times.runs.push_back(perIteration[t]);
            else if (r.aggregate_name == "median")
                times.median = perIteration[t];
        }
    }
    benchmark::ConsoleReporter::ReportRuns(runs);
}

std::optional<double> TRatioReporter::Seconds(const std::string& name, TBenchTime time) const {
    const auto& byName = m_times[time == TBenchTime::Real];
    const auto it = byName.find(name);
    if (it == byName.end() || (it->second.runs.empty() && !it->second.median))
        return std::nullopt;
    if (it->second.median)
        return it->second.median;
    std::vector<double> v = it->second.runs;
    return Median(v);
}

void SetUpAllocator() {
    const bool rawMalloc = std::getenv("ORE_BENCH_RAW_MALLOC") != nullptr;
    KeepFreedMemoryForReuse(!rawMalloc);
    std::printf("Allocator: %s\n", rawMalloc
                                       ? "C library defaults (ORE_BENCH_RAW_MALLOC)"
                                       : "freed memory kept for reuse (KeepFreedMemoryForReuse)");
}
