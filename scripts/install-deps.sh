#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Runs as root (or through sudo); runs apt-get update first.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config          # native build
  libgtest-dev libgmock-dev libbenchmark-dev  # tests and benchmarks
  libncurses-dev                            # marten-edit's terminal
  clang-14 libclang-rt-14-dev               # libFuzzer targets
  clang-format-14                           # scripts/check-format.sh
  g++-mingw-w64-i686 binutils-mingw-w64-i686  # the Win32 marten.dll
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the x64 build of the module, tested under wine64
  wine wine64                               # run the x64 tests (and, with wine32 below, the Win32 ones)
  tmux                                      # the terminal tests of marten-edit, bench/terminal-input.sh
  locales                                   # localedef: the KOI8-R locale of a terminal test
  dpkg-dev file                             # dpkg-shlibdeps and file: CPack's .deb dependencies
  man-db groff-base                         # man --warnings: the check of the manual page
  hyperfine                                 # timing scripts (bench/, tests/edit/time-batch.sh)
  time vim-tiny                             # bench/large-file.sh: peak memory, and vim as the reference
  python3                                   # the ratio reports of the benchmark scripts
  zip                                       # the plug-in package
)

# wine32 runs the Win32 tests. It is the one package of the i386
# architecture, whose indexes a mirror may serve incomplete while the rest
# install fine: then it is left out with a warning, and test-all.sh names the
# Win32 tests under wine32 as not run (the x64 stage runs the same cases).
packages_i386=(wine32)

# Lists the packages named that are not installed.
missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
# luit runs a terminal test in KOI8-R; older x11-utils carry it too, so the
# command counts rather than the package.
command -v luit >/dev/null || missing+=(luit)
mapfile -t missing_i386 < <(missing_of "${packages_i386[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing_i386[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]} ${missing_i386[*]}"
if ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
  $sudo dpkg --add-architecture i386
fi

# A mirror in the middle of a sync makes apt-get update fail for one index
# while every package can still be installed from the others: the update's
# failure is only a warning, and it is tried again once when an install fails.
install() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}
updated_again=no
install_or_retry() {
  install "$@" && return 0
  if [ "$updated_again" = no ]; then
    updated_again=yes
    echo "install-deps: the install failed; updating the package indexes again in 30 s" >&2
    sleep 30
    $sudo apt-get update -qq || true
  fi
  install "$@"
}

$sudo apt-get update -qq ||
  echo "install-deps: apt-get update failed for some indexes; installing from those it has" >&2
if [ ${#missing[@]} -gt 0 ] && ! install_or_retry "${missing[@]}"; then
  echo "install-deps: cannot install ${missing[*]}: apt-get failed twice (see its" \
    "messages above: a package missing from the indexes, or no network)" >&2
  exit 1
fi
if [ ${#missing_i386[@]} -gt 0 ] && ! install_or_retry "${missing_i386[@]}"; then
  echo "install-deps: WARNING: cannot install ${missing_i386[*]} (i386): apt-get failed" \
    "twice (see its messages above); the Win32 tests under wine32 cannot run" >&2
fi
exit 0
