# Shared by run.sh, test.sh and the tools: installs what the project needs
# from Debian's packages, and configures and builds one CMake preset.
# Build output goes to stderr so that tools can keep stdout for answers.

OPTICAL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Packages for building and running the three programs (run.sh), and those
# the tests add (ensure_packages installs both lists).
OPTICAL_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev fonts-ipafont-gothic qt6-translations-l10n nlohmann-json3-dev
)
OPTICAL_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev libgmp-dev
  xvfb xauth x11-utils locales appstream desktop-file-utils ccache
  openbox xdotool xclip x11-apps imagemagick python3 python3-xlib
  # the aarch64 cross build of the Qt-free libraries and their tests, run under qemu
  g++-aarch64-linux-gnu qemu-user libgtest-dev:arm64 libmpfr-dev:arm64 libgmp-dev:arm64
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages [extra packages...]: installs whatever is missing of both
# lists and the extra packages; quiet and quick when everything is there.
ensure_packages() {
  ensure_architecture arm64
  ensure_run_packages "${OPTICAL_TEST_PACKAGES[@]}" "$@"
}

# ensure_architecture ARCH: lets dpkg install packages of a foreign
# architecture (the :arm64 test packages); apt-get update follows when the
# packages are installed.
ensure_architecture() {
  local arch="$1"
  [ "$(dpkg --print-architecture)" = "$arch" ] && return 0
  dpkg --print-foreign-architectures | grep -qx "$arch" && return 0
  echo "Adding the dpkg architecture $arch" >&2
  as_root dpkg --add-architecture "$arch"
}

# ensure_run_packages [extra packages...]: the same without the test packages.
ensure_run_packages() {
  local missing=() p
  for p in "${OPTICAL_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    as_root apt-get update -qq >&2
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >&2
  fi
}

# ensure_locale NAME: generates a locale the tests switch to, when it is missing.
ensure_locale() {
  local name="$1"  # e.g. de_DE.UTF-8
  local norm
  norm="$(echo "$name" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')"
  if ! locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$norm"; then
    as_root localedef -i "${name%%.*}" -f UTF-8 "$name" >&2 || true
  fi
}

# configure_preset NAME [cmake -D options...]
# A build folder configured afresh compiles through ccache when it is there,
# so the suite's several builds of the same sources share their objects.
configure_preset() {
  local preset="$1"; shift
  if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$OPTICAL_ROOT"
  fi
  (cd "$OPTICAL_ROOT" && cmake --preset "$preset" "$@" >&2)
}

# build_preset NAME [cmake -D options...]: configures and builds everything.
build_preset() {
  configure_preset "$@"
  (cd "$OPTICAL_ROOT" && cmake --build --preset "$1" >&2)
}

# build_targets PRESET TARGET...: configures when needed and builds only these.
build_targets() {
  local preset="$1"; shift
  [ -f "$OPTICAL_ROOT/build/$preset/build.ninja" ] || configure_preset "$preset"
  (cd "$OPTICAL_ROOT" && cmake --build --preset "$preset" --target "$@" >&2)
}

# extended_preset: the preset the tools build in: soft for OPTICAL_EXTENDED=SOFT,
# release otherwise (the default back end, the x87 on x86-64).
extended_preset() {
  case "${OPTICAL_EXTENDED:-}" in
    ""|AUTO|X87) echo release ;;
    SOFT) echo soft ;;
    *) echo "OPTICAL_EXTENDED must be AUTO, X87 or SOFT, not $OPTICAL_EXTENDED" >&2; return 2 ;;
  esac
}
