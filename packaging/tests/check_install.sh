#!/usr/bin/env bash
# check_install.sh BUILD_DIR VERSION
# Installs the build into a temporary prefix with cmake --install and checks
# what a desktop finds there: every launcher entry passes desktop-file-validate
# without a remark, every AppStream file passes appstreamcli validate
# (--no-net --pedantic), and each program has its binary, entry, metainfo
# naming that entry and this version, manual page and icon at every size.
set -euo pipefail
build="$1" version="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The PNG's width and height from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

for program in Vandrel Corvale Ostrine; do
  id="io.github.opticalcalculators.${program,,}"
  entry="$prefix/share/applications/$id.desktop"
  meta="$prefix/share/metainfo/$id.metainfo.xml"
  [ -x "$prefix/bin/$program" ] || fail "$program: no program in bin"
  [ -f "$prefix/share/man/man1/$program.1.gz" ] || fail "$program: no manual page"
  if [ -f "$entry" ]; then
    remarks="$(desktop-file-validate "$entry" 2>&1)" || fail "$id.desktop is not valid"
    [ -z "$remarks" ] || fail "desktop-file-validate on $id.desktop: $remarks"
    grep -qx "Exec=$program" "$entry" || fail "$id.desktop does not start $program"
    grep -qx "Icon=$id" "$entry" || fail "$id.desktop does not name icon $id"
    grep -qx "StartupWMClass=$program" "$entry" || fail "$id.desktop: StartupWMClass is not $program"
  else
    fail "no $id.desktop"
  fi
  if [ -f "$meta" ]; then
    appstreamcli validate --no-net --pedantic "$meta" >&2 || fail "$id.metainfo.xml is not valid"
    grep -q "<id>$id</id>" "$meta" || fail "$id.metainfo.xml has another id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" \
      || fail "$id.metainfo.xml does not launch $id.desktop"
    grep -q "<release version=\"$version\"" "$meta" || fail "$id.metainfo.xml has no release $version"
  else
    fail "no $id.metainfo.xml"
  fi
  for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    if [ -f "$png" ]; then
      [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
    else
      fail "no ${size}x${size} icon for $id"
    fi
  done
  grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/$id.svg" 2>/dev/null \
    || fail "no scalable icon for $id"
done
[ -f "$prefix/share/doc/optical-calculators/copyright" ] || fail "no copyright file"

[ "$failures" -eq 0 ] || exit 1
echo "PASS: installed files of Vandrel, Corvale and Ostrine"
