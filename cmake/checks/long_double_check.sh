#!/usr/bin/env bash
# Fails when C++ code names long double outside the files that may: the x87
# back end of Extended (extended_x87.h, extended_host.h) and the tests,
# benchmarks and test helpers on the x87 side of a comparison. Everything
# else computes through Extended, so that it runs on the software back end
# where long double is no x87 value. Comments do not count.
#   long_double_check.sh <source root>   -> exit 0, or the offending lines and exit 1
set -euo pipefail
root="$1"
cd "$root"

allowed=(
  shared/numeric/include/numeric/extended_x87.h
  shared/numeric/include/numeric/extended_host.h
  shared/testing/x87_operations.cpp
  shared/testing/constant_rows.h
  shared/numeric/tests/pow10_tables_test.cpp
  shared/numeric/tests/soft_float80_test.cpp
  shared/numeric/tests/soft_log_exp_test.cpp
  estimator/tests/dispersion_constants_test.cpp
  bench/conversion_bench.cpp
  bench/conversion_inputs.cpp
  bench/backends/backend_bench.cpp
  bench/soft_float80_bench.cpp
)

found=0
while IFS= read -r -d '' file; do
  file="${file#./}"
  for a in "${allowed[@]}"; do [ "$file" = "$a" ] && continue 2; done
  # The code of each line, without a // comment; block comment lines start with * or /*.
  if sed -e 's://.*$::' -e '/^[[:space:]]*\*/d' -e '/^[[:space:]]*\/\*/d' "$file" |
      grep -n 'long[[:space:]]\+double' >/dev/null; then
    sed -e 's://.*$::' "$file" | grep -n 'long[[:space:]]\+double' | sed "s:^:$file\::" >&2
    found=1
  fi
done < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0)
if [ "$found" -ne 0 ]; then
  echo "long double outside the x87 back end: compute through Extended (numeric/extended.h)" >&2
fi
exit "$found"
