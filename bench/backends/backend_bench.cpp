// Both back ends of Extended in one run: each checked operation, the
// conversions (StrToFloat with the store to double, FloatToStr, FloatToStrF
// to 7 digits) and one press of each button of the three programs, on the
// x87 unit and on the software arithmetic, with glibc's strtold and snprintf
// on the same texts and values beside the conversions. Each case runs as
// "<case>/x87" and "<case>/soft"; after the run a table gives the software
// time over the x87 time per case, and glibc's time over the software's
// for the conversions.
//
// Run with, for example:
//   backend_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "backend_bench_side.h"
#include "conversion_inputs.h"

namespace {

using optics::bench::kInputs;
using optics::bench::TheInputs;

// ---- glibc on the same inputs ---------------------------------------------

void GlibcParse(benchmark::State& state) {
  const std::vector<std::string>& texts = TheInputs().texts;
  std::size_t i = 0;
  for (auto _ : state) {
    const double d = static_cast<double>(std::strtold(texts[i].c_str(), nullptr));
    benchmark::DoNotOptimize(d);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

template <int kDigits>
void GlibcFormat(benchmark::State& state) {
  const std::vector<double>& values = TheInputs().values;
  std::size_t i = 0;
  for (auto _ : state) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*Lg", kDigits,
                                static_cast<long double>(values[i]));
    std::string s(buffer, static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(s);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}

// ---- the table after the run -----------------------------------------------

// The console report, and then per case the CPU time of each side (the
// median where the run was repeated) and the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // In colour only on a terminal.
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool repeated = run.repetitions > 1;
      if (repeated && !(run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")) {
        continue;
      }
      if (!repeated && run.run_type != Run::RT_Iteration) continue;
      std::string name = run.run_name.function_name;  // "<case>/<side>"
      const std::size_t slash = name.rfind('/');
      if (slash == std::string::npos) continue;
      times_[name.substr(0, slash)][name.substr(slash + 1)] =
          run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-14s %10s %10s %10s %10s %12s\n", "case", "x87 ns", "soft ns", "glibc ns",
                "soft/x87", "glibc/soft");
    for (const std::string& name : order_) {
      const auto found = times_.find(name);
      if (found == times_.end()) continue;
      const std::map<std::string, double>& t = found->second;
      const auto get = [&t](const char* side) {
        const auto f = t.find(side);
        return f == t.end() ? 0.0 : f->second;
      };
      const double x87 = get("x87"), soft = get("soft"), glibc = get("glibc");
      std::printf("%-14s %10.1f %10.1f ", name.c_str(), x87, soft);
      if (glibc > 0) {
        std::printf("%10.1f ", glibc);
      } else {
        std::printf("%10s ", "");
      }
      std::printf("%10.2f", x87 > 0 ? soft / x87 : 0.0);
      if (glibc > 0 && soft > 0) std::printf(" %12.2f", glibc / soft);
      std::printf("\n");
    }
  }

  void Expect(const std::string& name) { order_.push_back(name); }

 private:
  std::vector<std::string> order_;
  std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("compiler", "g++ " __VERSION__);
  optics::bench::RequireEveryText(optics::bench::StrtoldTakesWhole, "strtold");

  RatioReporter reporter;
  const std::vector<optics::bench::BenchCase> x87 = optics::x87_bench::Cases();
  const std::vector<optics::bench::BenchCase> soft = optics::soft_bench::Cases();
  const std::map<std::string, void (*)(benchmark::State&)> glibc = {
      {"Parse", GlibcParse}, {"Format15", GlibcFormat<15>}, {"Format7", GlibcFormat<7>}};
  for (std::size_t i = 0; i < x87.size() && i < soft.size(); ++i) {
    const std::string name = x87[i].name;
    if (name != soft[i].name) {
      std::fprintf(stderr, "backend_bench: the sides' cases differ at %zu\n", i);
      return 2;
    }
    reporter.Expect(name);
    benchmark::RegisterBenchmark((name + "/x87").c_str(), x87[i].run);
    benchmark::RegisterBenchmark((name + "/soft").c_str(), soft[i].run);
    if (const auto g = glibc.find(name); g != glibc.end()) {
      benchmark::RegisterBenchmark((name + "/glibc").c_str(), g->second);
    }
  }
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
