#!/usr/bin/env bash
# The module's cost per editor event as a ratio to the host editor's own
# handling of the same records, for ordinary typing in a matching and in a
# non-matching editor, all from one run of bench/dispatch_bench.
#   bench/dispatch-ratio.sh [BUILD_DIR]    (default build/release, built if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ ! -x "$build/bench/dispatch_bench" ]; then
  [ "$build" = build/release ] && cmake --preset release >/dev/null
  cmake --build "$build" --target dispatch_bench
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build/bench/dispatch_bench" --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_out="$out" \
  --benchmark_out_format=json >/dev/null 2>&1
python3 - "$out" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
ns = {r["run_name"]: r["cpu_time"] / 4 for r in runs if r.get("aggregate_name") == "median"}
editor = ns["EditorOwnHandling"]
print(f"  editor's own handling        {editor:8.1f} ns per event")
for name, label in (("DispatchMatching", "matching editor"), ("DispatchNotMatching", "non-matching editor")):
    module = ns[name] - editor
    print(f"  module in a {label:19} {module:8.1f} ns per event  = {module / editor:5.2f}x the editor's own")
for face, prefix in (("Unicode", "UnicodeDispatch"), ("far2l", "Far2lDispatch")):
    for name, label in (("Matching", "matching editor"), ("NotMatching", "non-matching editor")):
        if prefix + name in ns:
            ratio = ns[prefix + name] / ns["Dispatch" + name]
            print(f"  {face + ' / ANSI build,':22} {label:19} {ratio:5.2f}x per event, all included (target <= 1.5x)")
PY
