#!/usr/bin/env bash
# xvfb_smoke.sh PROGRAM CAPTION WIDTH HEIGHT SCREENSHOT_TOOL ARTIFACT_DIR
# Starts the program on a private Xvfb display, waits for its top-level
# window with the caption and the designed outer size, and keeps a
# screenshot of it. Exits non-zero when the window does not appear.
set -euo pipefail
program="$1" caption="$2" width="$3" height="$4" shooter="$5" artifacts="$6"
mkdir -p "$artifacts"

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
runtime=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

runtime="$(mktemp -d)"
chmod 700 "$runtime"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$program" & app=$!
geometry=""
for _ in $(seq 100); do
  geometry="$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\": (\"" | head -n 1 || true)"
  [ -n "$geometry" ] && break
  sleep 0.1
done
if [ -z "$geometry" ]; then
  echo "FAIL: no window captioned '$caption' appeared" >&2
  exit 1
fi
echo "window: $geometry"
size="$(echo "$geometry" | grep -oE '[0-9]+x[0-9]+\+' | head -n 1 | tr -d '+')"
if [ "$size" != "${width}x${height}" ]; then
  echo "FAIL: window is $size, designed ${width}x${height}" >&2
  exit 1
fi
sleep 0.5
origin="$(echo "$geometry" | grep -oE '[0-9]+x[0-9]+\+[0-9-]+\+[0-9-]+' | head -n 1)"
x="$(echo "$origin" | cut -d+ -f2)" y="$(echo "$origin" | cut -d+ -f3)"
"$shooter" "$artifacts/$(basename "$program").png" "$x" "$y" "$width" "$height"
echo "screenshot: $artifacts/$(basename "$program").png"
echo "PASS"
