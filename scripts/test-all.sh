#!/usr/bin/env bash
# Every test of the project: installs what is missing, then builds and runs
# the native debug build, the sanitizer build, the far2l face in the real
# far2l, the x64 and Win32 builds of the module under wine64 and wine32, and
# short fuzzing runs. Exits non-zero on the first failing stage. A stage that
# cannot run fails as well, with a line that says why: its folder or script is missing, a tool it needs is not
# installed, it finds no tests, or one of its tests skipped itself.
set -euo pipefail
cd "$(dirname "$0")/.."
not_run=""
far2l_not_run=""

scripts/install-deps.sh

jobs=$(nproc)
stage() { echo; echo "=== $* ==="; }
fail() { echo; echo "test-all: $*" >&2; exit 1; }

# Fails unless every tool named is on the PATH.
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null ||
      fail "'$tool' is not installed, so this stage cannot run (see scripts/install-deps.sh)"
  done
}

# Fails unless the file exists: a stage whose files are gone is a failure, not a skip.
need_file() {
  [ -e "$1" ] || fail "$1 is missing, so this stage cannot run"
}

# Runs the tests of a preset. No tests at all, or a test that skipped itself
# (GTEST_SKIP), fails the stage: a test that cannot run here is not a pass.
run_tests() {
  local preset=$1; shift
  local log="build/$preset/ctest.log"
  ctest --preset "$preset" --no-tests=error "$@" 2>&1 | tee "$log"
  local skipped
  skipped=$(grep -E '\(Skipped\)$' "$log" || true)
  [ -z "$skipped" ] || fail "tests of the $preset preset skipped themselves instead of running:
$skipped"
}

stage "format of the C++ sources"
need_file scripts/check-format.sh
scripts/check-format.sh

stage "native debug build and tests"
need cmake ctest ninja g++
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$jobs"
run_tests debug -j "$jobs"

stage "AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
run_tests asan -j "$jobs"

stage "the far2l face in the real far2l"
# far2l comes from ../shared/far2l/far2l.tar.xz beside the project (or
# $FAR2L_TARBALL). Where there is none, nothing can provide it here: the
# stage says NOT RUN with the reason, and so does the closing line.
need tmux xz timeout
need_file tests/far2l/acceptance.sh
far2l_status=0
# Each check has 60 s at most (acceptance.sh); eleven of them fit.
timeout 720 tests/far2l/acceptance.sh build/debug | tee build/debug/far2l-acceptance.log ||
  far2l_status=$?
if [ "$far2l_status" -eq 3 ]; then
  far2l_not_run="the far2l acceptance run ($(sed -n 's/^acceptance: NOT RUN: //p' build/debug/far2l-acceptance.log))"
  echo "test-all: NOT RUN: $far2l_not_run" >&2
elif [ "$far2l_status" -ne 0 ]; then
  fail "the far2l face failed in the real far2l (status $far2l_status; see above)"
fi

# Builds a Windows preset and checks that its tests under wine are there:
# a build configured before wine was installed leaves them out.
build_windows() {
  local preset=$1
  need_file tests/win32/CMakeLists.txt
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  # The listing goes to a file first: grep -q leaving a pipe early would end
  # ctest with SIGPIPE, which pipefail reports as a failure of the check.
  ctest --preset "$preset" -N > "build/$preset/ctest-list.txt"
  grep -q "${preset}_cases\$" "build/$preset/ctest-list.txt" ||
    fail "the $preset build has no tests under wine: configure it again with wine installed"
}

stage "x64 build of the module and its tests under wine64"
need x86_64-w64-mingw32-g++-posix wineserver
[ -x /usr/lib/wine/wine64 ] || fail "wine64 is not installed, so this stage cannot run (see scripts/install-deps.sh)"
build_windows win64
run_tests win64

stage "Win32 build and tests under wine"
need i686-w64-mingw32-g++-posix wine wineserver
# wine32 is a 32-bit x86 program, which a kernel built or booted without
# 32-bit support cannot start at all ("Exec format error"; some virtual
# machines' kernels). Nothing on the machine can mend that, so there the
# tests that need no wine run (among them the layout checks of the 32-bit
# records), and the summary names the ones that could not, in a line of its
# own; the x64 stage above ran the same cases under wine64. On any other
# kernel a wine test that fails fails here.
# The same holds where wine32, the one package of the i386 architecture, could
# not be installed because a mirror served its indexes incomplete
# (install-deps.sh warned above).
build_windows win32
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  not_run="the Win32 tests under wine32 (this kernel runs no 32-bit x86 programs: $(uname -r))"
elif [ ! -x /usr/lib/wine/wine ]; then
  not_run="the Win32 tests under wine32 (wine32 could not be installed: see install-deps.sh's warning)"
fi
if [ -z "$not_run" ]; then
  run_tests win32
else
  echo "test-all: NOT RUN: $not_run" >&2
  run_tests win32 -LE '^wine$'
fi

stage "short fuzzing runs"
need_file fuzz/run-short.sh
need clang++-14
fuzz/run-short.sh

echo
wine_summary="the module's cases ran under wine64 (x64) and wine32 (Win32)"
[ -z "$not_run" ] || wine_summary="the module's cases ran under wine64 only"
not_run_all="$not_run"
[ -z "$far2l_not_run" ] || not_run_all="${not_run_all:+$not_run_all and }$far2l_not_run"
if [ -n "$not_run_all" ]; then
  echo "All test stages passed, but for $not_run_all; $wine_summary."
else
  echo "All test stages passed; $wine_summary."
fi
