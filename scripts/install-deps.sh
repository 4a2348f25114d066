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
  wine wine32 wine64                        # run the Win32 and x64 tests
  tmux                                      # the terminal tests of marten-edit, bench/terminal-input.sh
  locales                                   # localedef: the KOI8-R locale of a terminal test
  dpkg-dev file                             # dpkg-shlibdeps and file: CPack's .deb dependencies
  man-db groff-base                         # man --warnings: the check of the manual page
  hyperfine                                 # timing scripts (bench/, tests/edit/time-batch.sh)
  time vim-tiny                             # bench/large-file.sh: peak memory, and vim as the reference
  python3                                   # the ratio reports of the benchmark scripts
  zip                                       # the plug-in package
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null; then
    missing+=("$p")
  fi
done
# luit runs a terminal test in KOI8-R; older x11-utils carry it too, so the
# command counts rather than the package.
command -v luit >/dev/null || missing+=(luit)
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
  $sudo dpkg --add-architecture i386
fi
# A mirror in the middle of a sync makes apt-get update fail for one index
# while every package can still be installed from the others: the update's
# failure is only a warning, and it is tried again when the install fails.
install() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
$sudo apt-get update -qq ||
  echo "install-deps: apt-get update failed for some indexes; installing from those it has" >&2
if ! install; then
  echo "install-deps: the install failed; updating the package indexes again in 30 s" >&2
  sleep 30
  $sudo apt-get update -qq || true
  if ! install; then
    echo "install-deps: cannot install ${missing[*]}: apt-get failed twice (see its" \
      "messages above: a package missing from the indexes, or no network)" >&2
    exit 1
  fi
fi
