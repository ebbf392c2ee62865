#!/usr/bin/env bash
# Builds the Debian package of the three calculators:
#   ./package.sh   -> build/packages/optical-calculators_<version>-1_amd64.deb
# then `sudo apt-get install ./build/packages/optical-calculators_*.deb`
# installs Vandrel, Corvale and Ostrine with their launcher entries.
# The build has its own folder, build/package: no tests, Debian's compiler
# and linker flags (dpkg-buildflags, with all hardening), prefix /usr; CPack's
# DEB generator packs it. Prints the package's path on stdout.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$OPTICAL_ROOT"

ensure_run_packages dpkg-dev file

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/package -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE= \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DOPTICAL_BUILD_TESTS=OFF -DOPTICAL_BUILD_BENCHMARKS=OFF >&2
cmake --build build/package -j2 --target Vandrel Corvale Ostrine optical_desktop_files >&2

mkdir -p build/packages
rm -f build/packages/optical-calculators_*.deb
(cd build/package && cpack -G DEB -D CPACK_OUTPUT_FILE_PREFIX="$OPTICAL_ROOT/build/packages" >&2)
ls "$OPTICAL_ROOT"/build/packages/optical-calculators_*.deb
