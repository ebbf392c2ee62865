// main() of the benchmark programs: the arithmetic environment the
// calculators set up at start-up, the compiler named in the report, and the
// inputs made before the first measurement.
#pragma once

#include <benchmark/benchmark.h>

#include "numeric/fpu_environment.h"

namespace optics::bench {

inline int RunBenchmarks(int argc, char** argv, void (*make_inputs)()) {
  optics::EstablishArithmeticEnvironment();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("compiler", "g++ " __VERSION__);
  make_inputs();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace optics::bench
