#!/usr/bin/env bash
# Builds and runs every test.
#   ./test.sh          the full suite: optimised build; the numeric tests
#                      once more without optimisation (the digits must agree);
#                      everything once more on the software extended
#                      arithmetic (build/soft), that arithmetic compiled where
#                      long double is a double (build/soft-ld64, not run), the
#                      Qt-free tests cross-built for aarch64 under qemu; and the
#                      whole suite under AddressSanitizer and
#                      UndefinedBehaviorSanitizer
#   ./test.sh --long   also the long differential sweeps
#   ./test.sh --fuzz   a bounded libFuzzer run of the number parser instead
#   ./test.sh --package  the Debian package instead: lintian, and an install
#                      into a fresh Debian 12 root where each launcher entry starts
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$OPTICAL_ROOT"

mode=default
case "${1:-}" in
  "") ;;
  --long) mode=long ;;
  --fuzz) mode=fuzz ;;
  --package) exec "$OPTICAL_ROOT/packaging/package_test.sh" ;;
  *) echo "usage: ./test.sh [--long | --fuzz | --package]" >&2; exit 2 ;;
esac

if [ "$mode" = fuzz ]; then
  ensure_packages clang libclang-rt-14-dev
  exec "$OPTICAL_ROOT/fuzz/run.sh"
fi

ensure_packages
ensure_locale de_DE.UTF-8

long=OFF
[ "$mode" = long ] && long=ON
build_preset release -DOPTICAL_LONG_TESTS=$long -DOPTICAL_BUILD_TESTS=ON -DOPTICAL_BUILD_BENCHMARKS=ON
ctest --preset release -j2

build_preset debug-numeric -DOPTICAL_LONG_TESTS=OFF
ctest --preset debug-numeric -j2

build_preset soft -DOPTICAL_LONG_TESTS=$long
ctest --preset soft -j2

build_preset soft-ld64

build_preset aarch64 -DOPTICAL_LONG_TESTS=$long
ctest --preset aarch64 -j2

build_preset sanitize -DOPTICAL_LONG_TESTS=OFF
ctest --preset sanitize -j2
