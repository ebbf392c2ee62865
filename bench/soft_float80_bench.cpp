// The software extended arithmetic (optics::soft) against the x87 unit on
// the same operands: add, multiply, divide, square root and the store to
// double, one operation per iteration.
//
// The operands cycle through 1024 pairs of normal values made once from a
// fixed seed (significands uniform, exponents within 2^-60..2^60 of 1), so
// the figure is the time of one operation averaged over that mix, with the
// operations of successive iterations independent of each other (the
// throughput, not the latency). The x87 side runs under the calculators'
// control word; the software side keeps its flags across iterations as a
// caller would.
//
// Run with, for example:
//   soft_float80_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "bench_main.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "numeric/extended_bits.h"
#include "numeric/fpu_environment.h"
#include "numeric/soft_float80.h"

namespace {

using optics::soft::Float80;
using optics::soft::Flags;

constexpr std::size_t kInputs = 1024;  // a power of two: the index wraps with a mask

struct Inputs {
  std::vector<Float80> a, b;
  std::vector<long double> x, y;
};

std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

long double ToLongDouble(Float80 v) {
  return optics::ExtendedBits{v.significand, v.sign_exponent}.ToLongDouble();
}

const Inputs& TheInputs() {
  static const Inputs inputs = [] {
    Inputs in;
    std::uint64_t state = 0x5EED'F10A'7080'0001ull;
    const auto draw = [&state] {
      const std::uint64_t bits = SplitMix(state);
      const int exponent = 16383 - 60 + static_cast<int>(bits % 121);
      return Float80{SplitMix(state) | 0x8000000000000000ull,
                     static_cast<std::uint16_t>(exponent | (bits & 0x10000 ? 0x8000 : 0))};
    };
    for (std::size_t i = 0; i < kInputs; ++i) {
      in.a.push_back(draw());
      in.b.push_back(draw());
      in.x.push_back(ToLongDouble(in.a.back()));
      in.y.push_back(ToLongDouble(in.b.back()));
    }
    return in;
  }();
  return inputs;
}

Float80 Abs(Float80 v) { return {v.significand, static_cast<std::uint16_t>(v.sign_exponent & 0x7FFF)}; }

template <class Op>
void Soft(benchmark::State& state, Op op) {
  const Inputs& in = TheInputs();
  Flags flags;
  std::size_t i = 0;
  for (auto _ : state) {
    auto r = op(in.a[i], in.b[i], flags);
    benchmark::DoNotOptimize(r);
    i = (i + 1) & (kInputs - 1);
  }
  benchmark::DoNotOptimize(flags);
}

template <class Op>
void X87(benchmark::State& state, Op op) {
  const Inputs& in = TheInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    auto r = op(in.x[i], in.y[i]);
    benchmark::DoNotOptimize(r);
    i = (i + 1) & (kInputs - 1);
  }
}

void Add_Soft(benchmark::State& s) {
  Soft(s, [](Float80 a, Float80 b, Flags& f) { return optics::soft::Add(a, b, f); });
}
void Add_X87(benchmark::State& s) {
  X87(s, [](long double x, long double y) { return x + y; });
}
void Multiply_Soft(benchmark::State& s) {
  Soft(s, [](Float80 a, Float80 b, Flags& f) { return optics::soft::Multiply(a, b, f); });
}
void Multiply_X87(benchmark::State& s) {
  X87(s, [](long double x, long double y) { return x * y; });
}
void Divide_Soft(benchmark::State& s) {
  Soft(s, [](Float80 a, Float80 b, Flags& f) { return optics::soft::Divide(a, b, f); });
}
void Divide_X87(benchmark::State& s) {
  X87(s, [](long double x, long double y) { return x / y; });
}
void SquareRoot_Soft(benchmark::State& s) {
  Soft(s, [](Float80 a, Float80, Flags& f) { return optics::soft::SquareRoot(Abs(a), f); });
}
void SquareRoot_X87(benchmark::State& s) {
  X87(s, [](long double x, long double) {
    long double r;
    const long double ax = __builtin_fabsl(x);
    __asm__("fsqrt" : "=t"(r) : "0"(ax));  // the bare instruction, without errno handling
    return r;
  });
}
void ToDouble_Soft(benchmark::State& s) {
  Soft(s, [](Float80 a, Float80, Flags& f) { return optics::soft::ToDouble(a, f); });
}
void ToDouble_X87(benchmark::State& s) {
  X87(s, [](long double x, long double) { return static_cast<double>(x); });
}

BENCHMARK(Add_X87);
BENCHMARK(Add_Soft);
BENCHMARK(Multiply_X87);
BENCHMARK(Multiply_Soft);
BENCHMARK(Divide_X87);
BENCHMARK(Divide_Soft);
BENCHMARK(SquareRoot_X87);
BENCHMARK(SquareRoot_Soft);
BENCHMARK(ToDouble_X87);
BENCHMARK(ToDouble_Soft);

}  // namespace

int main(int argc, char** argv) {
  return optics::bench::RunBenchmarks(argc, argv, [] { (void)TheInputs(); });
}
