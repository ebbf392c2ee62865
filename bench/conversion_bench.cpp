// Number text in both directions: the calculators' StrToFloat, FloatToStr and
// FloatToStrF against glibc's strtold and snprintf, on the same inputs.
//
// Each iteration converts one input; the inputs cycle through a fixed set of
// 1024 texts and 1024 values made once from a fixed seed, so the time of an
// iteration is the time of one call averaged over that mix. Both sides end
// where a caller would use the result: a double for the parse (our checked
// store, a plain cast for glibc), a std::string for the formatting.
//
// ParseLength measures how the parse grows with the length of the text.
//
// Run with, for example:
//   conversion_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include "bench_main.h"
#include "conversion_inputs.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "numeric/decimal.h"
#include "numeric/extended.h"
#include "numeric/fpu_environment.h"

namespace {

using optics::bench::kInputs;
using optics::bench::TheInputs;

bool OursTakesWhole(const std::string& text) {
  try {
    (void)optics::Double::Store(optics::StrToFloat(text, U'.'));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Puts the x87 unit in the state of a running calculator: the environment of
// start-up, with the inexact flag raised by an earlier rounded store. (With
// every flag clear, each conversion that rounds would also pay for clearing
// its inexact flag again on the way out.)
void AsAfterACalculation() {
  optics::EstablishArithmeticEnvironment();
  static volatile long double three = 3.0L;
  const double third = optics::Double::Store(optics::Extended(1.0L) / optics::Extended(three));
  benchmark::DoNotOptimize(third);
}

// ---- Parse: text -> double -----------------------------------------------

void Parse_StrToFloat_Store(benchmark::State& state) {
  const std::vector<std::string>& texts = TheInputs().texts;
  std::size_t i = 0;
  AsAfterACalculation();
  for (auto _ : state) {
    const double d = optics::Double::Store(optics::StrToFloat(texts[i], U'.'));
    benchmark::DoNotOptimize(d);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Parse_StrToFloat_Store);

void Parse_strtold_cast(benchmark::State& state) {
  const std::vector<std::string>& texts = TheInputs().texts;
  std::size_t i = 0;
  AsAfterACalculation();
  for (auto _ : state) {
    const double d = static_cast<double>(std::strtold(texts[i].c_str(), nullptr));
    benchmark::DoNotOptimize(d);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Parse_strtold_cast);

// ---- Format: double -> std::string -----------------------------------------

void Format15_FloatToStr(benchmark::State& state) {
  const std::vector<double>& values = TheInputs().values;
  std::size_t i = 0;
  AsAfterACalculation();
  for (auto _ : state) {
    std::string s = optics::FloatToStr(values[i], U'.');
    benchmark::DoNotOptimize(s);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Format15_FloatToStr);

void Format15_snprintf_Lg(benchmark::State& state) {
  const std::vector<double>& values = TheInputs().values;
  std::size_t i = 0;
  AsAfterACalculation();
  for (auto _ : state) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.15Lg",
                                static_cast<long double>(values[i]));
    std::string s(buffer, static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(s);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Format15_snprintf_Lg);

void Format7_FloatToStrF(benchmark::State& state) {
  const std::vector<double>& values = TheInputs().values;
  std::size_t i = 0;
  AsAfterACalculation();
  for (auto _ : state) {
    std::string s = optics::FloatToStrF(values[i], optics::FloatFormat::ffGeneral, 7, 6, U'.');
    benchmark::DoNotOptimize(s);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Format7_FloatToStrF);

void Format7_snprintf_Lg(benchmark::State& state) {
  const std::vector<double>& values = TheInputs().values;
  std::size_t i = 0;
  AsAfterACalculation();
  for (auto _ : state) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.7Lg",
                                static_cast<long double>(values[i]));
    std::string s(buffer, static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(s);
    i = (i + 1) & (kInputs - 1);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Format7_snprintf_Lg);

// ---- Parse time against the length of the text ---------------------------

// A text of n characters that is all digits but for the separator: leading
// zeros and then "1.51633", so that the accumulated value stays finite
// however long the text is and every length parses to the same number.
void ParseLength_StrToFloat(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::string text(n - 7, '0');
  text += "1.51633";
  AsAfterACalculation();
  for (auto _ : state) {
    const double d = optics::Double::Store(optics::StrToFloat(text, U'.'));
    benchmark::DoNotOptimize(d);
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ParseLength_StrToFloat)
    ->RangeMultiplier(16)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
  return optics::bench::RunBenchmarks(argc, argv, [] {
    optics::bench::RequireEveryText(optics::bench::StrtoldTakesWhole, "strtold");
    optics::bench::RequireEveryText(OursTakesWhole, "StrToFloat");
  });
}
