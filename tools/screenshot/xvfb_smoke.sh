#!/usr/bin/env bash
# xvfb_smoke.sh PROGRAM CAPTION WIDTH HEIGHT SCREENSHOT_TOOL ARTIFACT_DIR
# Starts the program on a private Xvfb display, waits for its top-level
# window with the caption and the designed outer size, and keeps a
# screenshot of it. Exits non-zero when the window does not appear.
set -euo pipefail
program="$1" caption="$2" width="$3" height="$4" shooter="$5" artifacts="$6"
mkdir -p "$artifacts"

runtime="$(mktemp -d)"
chmod 700 "$runtime"
app=""
xvfb=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

# A display number drawn at random from a wide range: tests that run at the
# same time do not meet, and a number that one of them has just given up
# (whose socket its server may still be removing) is not taken again at once.
display=""
for _ in $(seq 20); do
  n=$((200 + RANDOM % 29800))
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 300); do
    kill -0 "$xvfb" 2>/dev/null || break
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
    sleep 0.1
  done
  [ -n "$display" ] && break
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
done
[ -n "$display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$program" & app=$!
geometry=""
for _ in $(seq 300); do
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
