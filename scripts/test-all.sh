#!/usr/bin/env bash
# Every test of the project: installs what is missing, then builds and runs
# the native debug build, the sanitizer build, the Win32 build under wine and
# short fuzzing runs. Exits non-zero on the first failing stage.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
stage() { echo; echo "=== $* ==="; }

stage "native debug build and tests"
cmake --preset debug >/dev/null
cmake --build --preset debug -j "$jobs"
ctest --preset debug -j "$jobs"

stage "AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

if [ -f tests/win32/CMakeLists.txt ]; then
  stage "Win32 build and tests under wine"
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j "$jobs"
  ctest --preset win32
fi

if [ -x fuzz/run-short.sh ]; then
  stage "short fuzzing runs"
  fuzz/run-short.sh
fi

echo
echo "All test stages passed."
