// One back end of Extended under the benchmark that measures both in one run
// (backend_bench.cpp): the same source is compiled once for each back end,
// in namespace x87_bench or soft_bench, and hands its cases over as plain
// functions, so that the program itself needs neither back end's types.
// The two sides give their cases in the same order and under the same names.
#pragma once

#include <vector>

#include <benchmark/benchmark.h>

namespace optics::bench {

struct BenchCase {
  const char* name;  // "Add", "Parse", "Vandrel", ...
  void (*run)(benchmark::State&);
};

}  // namespace optics::bench

#define OPTICAL_DECLARE_BENCH_SIDE(side)                                                \
  namespace optics::side {                                                              \
  /* The side's cases: the checked operations, the conversions, and one press */       \
  /* of each button of the three programs. */                                           \
  std::vector<bench::BenchCase> Cases();                                                \
  }

OPTICAL_DECLARE_BENCH_SIDE(x87_bench)
OPTICAL_DECLARE_BENCH_SIDE(soft_bench)
