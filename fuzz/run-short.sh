#!/usr/bin/env bash
# Short bounded fuzzing runs of every target from its seed corpus (about a
# minute in all). New inputs go to a scratch corpus below the build folder,
# so the seeds in the repository stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

seconds=${MARTEN_FUZZ_SECONDS:-12}
out=build/fuzz/fuzz
scratch=build/fuzz/corpus
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
run() {
  local target=$1; shift
  mkdir -p "$scratch/$target"
  echo "--- $target (${seconds}s)"
  local log="$artifacts/$target.log"
  # A failing input is kept below the build folder, never in the work tree.
  if "$out/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$artifacts/$target-" -print_final_stats=1 \
       "$scratch/$target" "$@" >"$log" 2>&1; then
    tail -n 4 "$log"
  else
    tail -n 40 "$log"
    echo "$target failed; its input is in $artifacts/"
    return 1
  fi
}

run models_fuzz fuzz/corpus/models
run registry_fuzz fuzz/corpus/registry
run language_fuzz fuzz/corpus/language fuzz/corpus/help
run key_script_fuzz fuzz/corpus/keys
run event_fuzz fuzz/corpus/events -max_len=512
echo "fuzzing: all targets ran clean"
