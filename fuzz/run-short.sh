#!/usr/bin/env bash
# Short bounded fuzzing runs of every target from its seed corpus (about a
# minute in all). New inputs go to a scratch corpus below the build folder,
# so the seeds in the repository stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
source fuzz/fuzz-lib.sh

fuzz_build
seconds=${MARTEN_FUZZ_SECONDS:-12}
for entry in "${fuzz_targets[@]}"; do
  fuzz_entry "$entry"
  echo "--- $target (${seconds}s)"
  fuzz_run "$target" "$seconds" "build/fuzz/corpus/$target" "${seeds[@]}" "${options[@]}"
  tail -n 4 "$fuzz_artifacts/$target.log"
done
echo "fuzzing: all targets ran clean"
