#!/usr/bin/env bash
# Long fuzzing runs: every target for SECONDS each (ten minutes unless given),
# from its seed corpus. What a run finds that reaches code its seeds do not
# is merged into the target's first seed folder (fuzz/corpus/...): libFuzzer's
# merge with a greedy set cover (-set_cover_merge=1, the smallest set of the
# new inputs that adds all their coverage), so the committed corpus stays
# small; commit it to keep it. At the end a table gives each target's final
# coverage (libFuzzer's cov: edges and ft: features), its runs and its corpus.
#
#   fuzz/run-long.sh [SECONDS [TARGET...]]   (all targets unless named)
set -euo pipefail
cd "$(dirname "$0")/.."
source fuzz/fuzz-lib.sh

seconds=${1:-600}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: fuzz/run-long.sh [SECONDS [TARGET...]]  (seconds per target, default 600)" >&2
  exit 2
fi
shift $(($# > 0 ? 1 : 0))
wanted=("$@")  # the targets named, or none for all

# True when $1 is to run this time.
is_wanted() {
  [ ${#wanted[@]} -eq 0 ] && return 0
  local name
  for name in "${wanted[@]}"; do [ "$name" = "$1" ] && return 0; done
  return 1
}

# Files and bytes in the folders given.
corpus_files() { find "$@" -type f | wc -l; }
corpus_bytes() { find "$@" -type f -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }'; }

# Merges what the run of $target found (in $scratch) into its first seed folder.
merge_found() {
  local log="$fuzz_artifacts/$target-merge.log"
  "$fuzz_out/$target" -set_cover_merge=1 -artifact_prefix="$fuzz_artifacts/$target-merge-" \
    "${options[@]}" "${seeds[0]}" "$scratch" >"$log" 2>&1 && return 0
  echo "$target: merging into ${seeds[0]} failed, see $log"
  return 1
}

fuzz_build
rows=()
failed=0
for entry in "${fuzz_targets[@]}"; do
  fuzz_entry "$entry"
  is_wanted "$target" || continue
  echo "--- $target (${seconds}s)"
  scratch="build/fuzz/long/$target"
  rm -rf "$scratch"
  result=clean
  if ! fuzz_run "$target" "$seconds" "$scratch" "${seeds[@]}" "${options[@]}"; then
    result=FAILED
    failed=1
  fi
  log="$fuzz_artifacts/$target.log"
  # The last status line: "#N DONE cov: C ft: F corp: ..." (or the last pulse
  # before a failure).
  final=$(grep -E '^#[0-9]+.* cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  runs=$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$final")
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$final")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$final")
  before=$(corpus_files "${seeds[@]}")
  if ! merge_found; then
    result=FAILED
    failed=1
  fi
  after=$(corpus_files "${seeds[@]}")
  bytes=$(corpus_bytes "${seeds[@]}")
  echo "${final:-no status line in $log}"
  rows+=("$target ${runs:-?} ${cov:-?} ${ft:-?} $((after - before)) $after $bytes $result")
done

echo
echo "Fuzzing, ${seconds} s per target:"
printf '%s\n' "target runs cov ft new-seeds corpus-files corpus-bytes result" "${rows[@]}" |
  awk '{ printf "%-16s %10s %6s %7s %9s %12s %12s %s\n", $1, $2, $3, $4, $5, $6, $7, $8 }'
exit "$failed"
