#!/usr/bin/env bash
# ./test.sh --package: the Debian package as a person gets it.
#  1. ./package.sh builds it; lintian must report no error (warnings are
#     printed; docs/packaging.md says why each one stays).
#  2. A fresh Debian 12 root: debootstrap --variant=minbase bookworm from this
#     machine's Debian mirror, kept in build/chroot/base between runs and
#     copied to build/chroot/root for each run.
#  3. There `apt-get install ./optical-calculators_*.deb`; every program and
#     the Qt platform plugin must find all their libraries.
#  4. Xvfb inside the root; each launcher entry's Exec starts, a window named
#     like the entry appears, and its WM_CLASS is the entry's StartupWMClass.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$OPTICAL_ROOT"

ensure_run_packages dpkg-dev file lintian debootstrap

deb="$(./package.sh)"
echo "== lintian $(basename "$deb")"
lintian --display-info --fail-on error "$deb"
echo "lintian: no error"

chroots="$OPTICAL_ROOT/build/chroot"
base="$chroots/base" root="$chroots/root" archives="$chroots/apt-archives"
mkdir -p "$chroots" "$archives"

# The Debian mirror the machine's apt uses for bookworm (one-line or deb822 sources).
debian_mirror() {
  local m
  m="$(grep -hsE '^\s*deb\s' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
       sed -E 's/\[[^]]*\]//' | awk '$3 == "bookworm" { print $2; exit }')"
  [ -n "$m" ] || m="$(awk '/^URIs:/ { u = $2 } /^Suites:/ && / bookworm( |$)/ { print u; exit }' \
                       /etc/apt/sources.list.d/*.sources 2>/dev/null)"
  echo "${m:-http://deb.debian.org/debian}"
}

if [ ! -x "$base/usr/bin/apt-get" ]; then
  mirror="$(debian_mirror)"
  echo "== debootstrap bookworm from $mirror (kept in $base)"
  rm -rf --one-file-system "$base.tmp"
  debootstrap --variant=minbase bookworm "$base.tmp" "$mirror" > "$chroots/debootstrap.log" 2>&1 \
    || { tail -n 20 "$chroots/debootstrap.log" >&2; exit 1; }
  mv "$base.tmp" "$base"
fi

mounted=()
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  local m
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || umount -l "$m" || true; done
}
trap cleanup EXIT

echo "== a fresh root in $root"
for m in "$root/proc" "$root/dev/shm" "$root/var/cache/apt/archives"; do
  if mountpoint -q "$m" 2>/dev/null; then umount "$m"; fi
done
rm -rf --one-file-system "$root"
cp -a "$base" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
  rm -f "$root/etc/apt/sources.list"
fi
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d" && chmod +x "$root/usr/sbin/policy-rc.d"
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mkdir -p "$root/dev/shm" && mount -t tmpfs shm "$root/dev/shm" && mounted=("$root/dev/shm" "${mounted[@]}")
mount --bind "$archives" "$root/var/cache/apt/archives" \
  && mounted=("$root/var/cache/apt/archives" "${mounted[@]}")

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
                   DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root apt-get install -y -qq "./tmp/$(basename "$deb")" > "$chroots/install.log" 2>&1 \
  || { tail -n 30 "$chroots/install.log" >&2; exit 1; }
in_root dpkg-query -W optical-calculators

missing="$(in_root sh -c 'ldd /usr/bin/Vandrel /usr/bin/Corvale /usr/bin/Ostrine \
  /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so' | grep 'not found' || true)"
[ -z "$missing" ] || { echo "FAIL: libraries not found: $missing" >&2; exit 1; }
echo "every library found"

echo "== the test's own tools in the root: Xvfb, xdotool, xprop"
in_root apt-get install -y -qq --no-install-recommends xvfb xauth x11-utils xdotool \
  > "$chroots/tools.log" 2>&1 || { tail -n 30 "$chroots/tools.log" >&2; exit 1; }

display=""
for n in $(seq 150 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
chroot "$root" Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
x() { in_root DISPLAY="$display" "$@"; }
for _ in $(seq 50); do x xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

failures=0
for entry in "$root"/usr/share/applications/io.github.opticalcalculators.*.desktop; do
  key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
  name="$(key Name)" exec_line="$(key Exec)" wm_class="$(key StartupWMClass)"
  command_line="$(echo "$exec_line" | sed -E 's/ ?%[a-zA-Z]//g')"  # no field codes to fill
  in_root mkdir -p -m 700 /tmp/runtime
  # exec all the way down, so that $! is the program itself
  (exec chroot "$root" env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 DISPLAY="$display" \
     XDG_RUNTIME_DIR=/tmp/runtime sh -c "exec $command_line" >/dev/null 2>&1) &
  app=$!
  window="" class=""
  for _ in $(seq 100); do
    for w in $(x xdotool search --name "^$name\$" 2>/dev/null || true); do
      class="$(x xprop -id "$w" WM_CLASS | sed -n 's/.*= "\(.*\)", "\(.*\)"/\2/p')"
      if [ -n "$class" ]; then window="$w"; break; fi
    done
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "FAIL: $(basename "$entry"): Exec=$exec_line showed no window named $name" >&2
    failures=$((failures + 1))
  else
    if [ "$class" = "$wm_class" ]; then
      echo "PASS: $(basename "$entry"): Exec=$exec_line, window $window, WM_CLASS class $class"
    else
      echo "FAIL: $(basename "$entry"): WM_CLASS class '$class', StartupWMClass '$wm_class'" >&2
      failures=$((failures + 1))
    fi
  fi
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
done
[ "$failures" -eq 0 ] || exit 1
echo "== the package installs in a fresh Debian 12 and every launcher entry starts its window"
