#!/usr/bin/env bash
# A bounded libFuzzer session on the number parser (./test.sh --fuzz).
#   OPTICAL_FUZZ_SECONDS   how long to fuzz (default 60)
# Builds with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build/fuzz, keeps the corpus in build/fuzz/corpus between runs, and exits
# non-zero on a crash, a sanitizer report or a broken environment promise;
# the input that did it is written to build/fuzz/artifacts/.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$OPTICAL_ROOT"

ensure_packages clang libclang-rt-14-dev

seconds="${OPTICAL_FUZZ_SECONDS:-60}"
dir="$OPTICAL_ROOT/build/fuzz"

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOPTICAL_FUZZ=ON -DOPTICAL_BUILD_GUI=OFF -DOPTICAL_BUILD_TESTS=OFF \
  -DOPTICAL_BUILD_BENCHMARKS=OFF >&2
cmake --build "$dir" --target str_to_float_fuzzer >&2

# Seeds: a handful of texts as people type them, and a few at the limits.
seeds="$dir/seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$dir/corpus" "$dir/artifacts"
i=0
for text in '1.5' ' -0,25 ' '+.5e-3' '5.876471' '1.51633' '64.17' '1e4999' '1e-4951' \
            '1.7976931348623157e308' '4.9406564584124654E-324' '00012.3400' '.' '-' '1e' \
            '12345678901234567890123456789' '0.000000000000000000000000001'; do
  printf '%s' "$text" > "$seeds/seed$((i++))"
done

# The characters of the grammar, for the mutator.
cat > "$dir/number.dict" <<'DICT'
"."
","
"e"
"E"
"+"
"-"
" "
"e-"
"E+"
"499"
"500"
"4999"
"0000000000"
"9999999999"
"\xD9\xAB"
DICT

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
exec "$dir/fuzz/str_to_float_fuzzer" \
  -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
  -dict="$dir/number.dict" -artifact_prefix="$dir/artifacts/" \
  "$dir/corpus" "$seeds"
