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

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "numeric/decimal.h"
#include "numeric/extended.h"
#include "numeric/fpu_environment.h"

namespace {

constexpr std::size_t kInputs = 1024;  // a power of two: the index wraps with a mask
constexpr std::uint64_t kSeed = 0x5EED'0F'1A'B5'0001ull;

// Draws from mt19937_64, whose output the standard fixes bit for bit (the
// standard distributions are not fixed), so every library makes the same set.
class Source {
 public:
  explicit Source(std::uint64_t seed) : engine_(seed) {}

  std::uint64_t Bits() { return engine_(); }
  double Unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }  // [0, 1)
  double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  int Int(int lo, int hi) {  // [lo, hi]
    return lo + static_cast<int>(engine_() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool Coin() { return (engine_() & 1u) != 0; }
  char Digit() { return static_cast<char>('0' + Int(0, 9)); }
  char NonZeroDigit() { return static_cast<char>('0' + Int(1, 9)); }

 private:
  std::mt19937_64 engine_;
};

std::string Fixed(double v, int decimals) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return std::string(buffer, static_cast<std::size_t>(n));
}

std::string Significant(double v, int digits) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
  return std::string(buffer, static_cast<std::size_t>(n));
}

// What a user types into the fields: glass data, lengths, small constants,
// now and then a long value pasted from a result, now and then an exponent.
std::vector<std::string> MakeTexts() {
  std::vector<std::string> texts = {
      "1.51633", "64.15",     "-1500",       "2000.0",           "0.0013333",
      "653.3333", "1e-5",     "1.5138501509462527", "-0.136448", "5.05363E-12",
      "100",     "0.5",       "25.43",       "1.80518",          "-250.25",
      "3.14159265358979"};
  Source s(kSeed);
  while (texts.size() < kInputs) {
    std::string t;
    switch (s.Int(0, 9)) {
      case 0:
      case 1:  // a d-line index
        t = Fixed(s.Between(1.43, 2.0), s.Int(4, 6));
        break;
      case 2:  // an Abbe number
        t = Fixed(s.Between(17.0, 95.0), s.Int(1, 2));
        break;
      case 3:  // a focal length or radius in whole millimetres
        t = std::to_string(s.Int(-60, 60) * 50);
        if (s.Coin()) t += ".0";
        break;
      case 4:  // a length with a few decimals
        t = Fixed(s.Between(100.0, 1000.0), s.Int(2, 4));
        break;
      case 5:  // a small value written out
        t = Fixed(s.Between(1e-4, 1e-2), 7);
        break;
      case 6:  // a short exponent form: 1e-5, 2.5E3
        t += s.NonZeroDigit();
        if (s.Coin()) {
          t += '.';
          t += s.NonZeroDigit();
        }
        t += s.Coin() ? 'e' : 'E';
        t += std::to_string(s.Int(-12, 12));
        break;
      case 7:
      case 8:  // 15 to 17 significant digits, pasted from a result
        t = Significant(s.Between(-10.0, 10.0) * std::pow(10.0, s.Int(-3, 3)), s.Int(15, 17));
        break;
      default: {  // a long mantissa with an exponent anywhere in the double range
        if (s.Coin()) t += '-';
        t += s.NonZeroDigit();
        t += '.';
        for (int k = s.Int(4, 15); k > 0; --k) t += s.Digit();
        t += s.Coin() ? 'E' : 'e';
        t += std::to_string(s.Int(-300, 300));
        break;
      }
    }
    texts.push_back(std::move(t));
  }
  return texts;
}

// A result of a typical calculation, rounded to the double a field keeps.
double TypicalResult(Source& s) {
  const long double nd = s.Between(1.45, 1.95);
  const long double vd = s.Between(20.0, 90.0);
  switch (s.Int(0, 4)) {
    case 0:  // an index estimated from nd and vd
      return static_cast<double>(nd - (nd - 1) / vd * (0.6438L - 0.001682L * vd));
    case 1:  // a principal dispersion
      return static_cast<double>((nd - 1) / vd);
    case 2: {  // a conic constant
      const long double m = s.Between(2.0, 5.0);
      const long double b = s.Between(0.1, 0.5);
      return static_cast<double>(-1 - 2 * (1 + b) / (m * m * (m - b)));
    }
    case 3: {  // an aspheric sag coefficient
      const long double r = s.Between(400.0, 6000.0);
      return static_cast<double>((1 + s.Between(-1.5, 0.5)) / (8 * r * r * r));
    }
    default: {  // a radius of a doublet
      const long double f = s.Between(50.0, 2000.0);
      return static_cast<double>(f * (nd - 1) / s.Between(-3.0, 3.0));
    }
  }
}

// Values to show: typed values as the fields hold them, calculation results,
// and doubles spread over a wide range of exponents.
std::vector<double> MakeValues(const std::vector<std::string>& texts) {
  std::vector<double> values = {1.5138501509462527, -0.136448, 5.05363e-12, 1.51633, 64.15,
                                -1500.0, 2000.0, 0.0013333, 653.3333, 1e-5, 2.0 / 3.0};
  Source s(kSeed + 1);
  while (values.size() < kInputs) {
    switch (s.Int(0, 3)) {
      case 0:
        values.push_back(std::strtod(texts[s.Bits() % texts.size()].c_str(), nullptr));
        break;
      case 1:
        values.push_back(TypicalResult(s));
        break;
      default: {
        const double fraction = static_cast<double>(s.Bits() >> 12) * 0x1p-52;  // [0, 1)
        const double v = std::ldexp(1.0 + fraction, s.Int(-1000, 1000));
        values.push_back(s.Coin() ? -v : v);
        break;
      }
    }
  }
  return values;
}

struct Inputs {
  std::vector<std::string> texts;
  std::vector<double> values;
};

const Inputs& TheInputs() {
  static const Inputs inputs = [] {
    Inputs made;
    made.texts = MakeTexts();
    made.values = MakeValues(made.texts);
    // Both parsers must take every text whole, or the comparison is void.
    for (const std::string& t : made.texts) {
      char* end = nullptr;
      (void)std::strtold(t.c_str(), &end);
      bool ours = true;
      try {
        (void)optics::Double::Store(optics::StrToFloat(t, U'.'));
      } catch (const std::exception&) {
        ours = false;
      }
      if (*end != '\0' || !ours) {
        std::fprintf(stderr, "conversion_bench: input \"%s\" is not taken whole\n", t.c_str());
        std::exit(2);
      }
    }
    return made;
  }();
  return inputs;
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
  return optics::bench::RunBenchmarks(argc, argv, [] { (void)TheInputs(); });
}
