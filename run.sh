#!/usr/bin/env bash
# Builds the three calculators and starts them.
#   ./run.sh            starts Vandrel, Corvale and Ostrine
#   ./run.sh Vandrel    starts one of them
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$OPTICAL_ROOT"

programs=(Vandrel Corvale Ostrine)
if [ $# -gt 0 ]; then programs=("$@"); fi

ensure_run_packages
for p in "${programs[@]}"; do
  case "$p" in
    Vandrel|Corvale|Ostrine) ;;
    *) echo "run.sh: unknown program '$p' (there are Vandrel, Corvale and Ostrine)" >&2; exit 2 ;;
  esac
done
[ -f build/release/build.ninja ] || configure_preset release -DOPTICAL_BUILD_TESTS=OFF -DOPTICAL_BUILD_BENCHMARKS=OFF
build_targets release "${programs[@]}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "        Start it from a desktop session, or under Xvfb: xvfb-run ./run.sh" >&2
  exit 1
fi

pids=()
for p in "${programs[@]}"; do
  exe="$(find build/release -maxdepth 2 -type f -name "$p" -perm -u+x | head -n 1)"
  "$exe" & pids+=($!)
done
wait "${pids[@]}"
