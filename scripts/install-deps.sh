#!/usr/bin/env bash
# Installs the Debian packages of the groups named, when missing; with no
# group, all of them. Runs as root (or through sudo); runs apt-get update
# first, and only when something is missing.
#
#   scripts/install-deps.sh [GROUP...]
#
#   build    the native build of marten-edit and both builds of Marten, with
#            the unit tests (compiler, CMake, Ninja, ncurses, GoogleTest)
#   bench    the benchmarks, which the release preset builds (Google Benchmark)
#   win      the Win32 and x64 builds of the module (MinGW)
#   test     what scripts/test-all.sh runs beyond those three, which it takes
#            too: the fuzz targets, the format check, wine64 and wine32, the
#            terminal tests (tmux, a KOI8-R locale, luit), the far2l run
#            (tmux, xz-utils), the manual page's check, the timing scripts
#            and a Russian word list
#   package  the plug-in zips and the Debian package (zip, dpkg-dev, file)
set -euo pipefail

declare -A groups=(
  [build]="cmake ninja-build g++ pkg-config libncurses-dev libgtest-dev libgmock-dev"
  [bench]="libbenchmark-dev"
  [win]="g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64"
  # clang: libFuzzer targets; clang-format: scripts/check-format.sh; wine:
  # the x64 tests (and, with wine32 below, the Win32 ones); tmux: the terminal
  # tests and bench/terminal-input.sh; locales: localedef for the KOI8-R
  # locale of a terminal test; man-db, groff-base: man --warnings on the
  # manual page; hyperfine, time, vim-tiny, python3: the timing scripts of
  # bench/ and tests/edit/, their peak memory, vim as the reference, the
  # ratio reports; hunspell-ru: the Russian words that the test of how a
  # file's table is guessed writes in each table.
  [test]="clang-14 libclang-rt-14-dev clang-format-14 wine wine64 tmux xz-utils locales man-db groff-base hyperfine time vim-tiny python3 hunspell-ru"
  # dpkg-dev, file: dpkg-shlibdeps and file, for CPack's .deb dependencies.
  [package]="zip dpkg-dev file"
)
all_groups=(build bench win test package)

if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
  # The comment at the top of this file.
  awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
  exit 0
fi
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=("${all_groups[@]}")
packages=()
with_test=no
for group in "${wanted[@]}"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "install-deps: unknown group '$group' (the groups: ${all_groups[*]})" >&2
    exit 2
  fi
  # The test suite builds everything the other groups serve.
  if [ "$group" = test ]; then
    with_test=yes
    read -ra more <<<"${groups[build]} ${groups[bench]} ${groups[win]}"
    packages+=("${more[@]}")
  fi
  read -ra more <<<"${groups[$group]}"
  packages+=("${more[@]}")
done

# wine32 runs the Win32 tests. It is the one package of the i386
# architecture, whose indexes a mirror may serve incomplete while the rest
# install fine: then it is left out with a warning, and test-all.sh names the
# Win32 tests under wine32 as not run (the x64 stage runs the same cases).
packages_i386=()
[ "$with_test" = no ] || packages_i386=(wine32)

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
[ "$with_test" = no ] || command -v luit >/dev/null || missing+=(luit)
missing_i386=()
[ ${#packages_i386[@]} -eq 0 ] || mapfile -t missing_i386 < <(missing_of "${packages_i386[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing_i386[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]} ${missing_i386[*]}"
if [ ${#missing_i386[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
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
