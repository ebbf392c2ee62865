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
#include "normal_operands.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "numeric/extended_bits.h"
#include "numeric/fpu_environment.h"
#include "numeric/soft_float80.h"

namespace {

using optics::soft::Float80;
using optics::soft::Flags;

constexpr std::size_t kInputs = optics::bench::kOperandPairs;

struct Inputs {
  std::vector<Float80> a, b;
  std::vector<long double> x, y;
};

long double ToLongDouble(Float80 v) {
  return optics::ExtendedBits{v.significand, v.sign_exponent}.ToLongDouble();
}

Float80 ToFloat80(optics::ExtendedBits v) { return Float80{v.significand, v.sign_exponent}; }

const Inputs& TheInputs() {
  static const Inputs inputs = [] {
    Inputs in;
    for (const optics::bench::OperandPair& p : optics::bench::NormalOperandPairs()) {
      in.a.push_back(ToFloat80(p.a));
      in.b.push_back(ToFloat80(p.b));
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
