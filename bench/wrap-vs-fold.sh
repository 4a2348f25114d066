#!/usr/bin/env bash
# The wrap benchmark as ratios: one wrap of a single 1 MB line of words
# (RIndent 78) against `fold -s -w 78` on the same text, and the 10 MB line
# against the 1 MB one, all measured in one run of bench/wrap_bench.
#   bench/wrap-vs-fold.sh [BUILD_DIR]    (default build/release, built if missing)
# Exits non-zero when a ratio misses its target.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
if [ ! -x "$build/bench/wrap_bench" ]; then
  if [ "$build" = build/release ]; then
    cmake --preset release >/dev/null
  else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARTEN_BENCH=ON >/dev/null
  fi
  cmake --build "$build" --target wrap_bench
fi

out=$(mktemp)
context=$(mktemp)
trap 'rm -f "$out" "$context"' EXIT
"$build/bench/wrap_bench" --benchmark_repetitions="${REPETITIONS:-3}" \
  --benchmark_report_aggregates_only=true --benchmark_out="$out" \
  --benchmark_out_format=json >/dev/null 2>"$context"
grep -E '^(Run on|Load Average)' "$context" || true

python3 - "$out" <<'PY'
import json, sys

runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {}
for run in runs:
    if run.get("aggregate_name") == "median" and "error_occurred" not in run:
        median[run["run_name"]] = run
skipped = sorted({run["run_name"] for run in runs if run.get("error_occurred")})

def ms(name):
    return median[name]["real_time"] if name in median else None

print("median CPU time of one run (wall time beside it)")
for name in sorted(median):
    run = median[name]
    print(f"  {name:32} {run['real_time']:9.2f} ms   wall {run.get('wall_ms', 0):9.2f} ms")
for name in skipped:
    print(f"  {name:32} skipped: {next(r['error_message'] for r in runs if r['run_name'] == name)}")

failed = False
def ratio(label, top, bottom, target=None):
    global failed
    a, b = ms(top), ms(bottom)
    if a is None or b is None:
        print(f"  {label:44}   n/a")
        return
    verdict = ""
    if target is not None:
        ok = a / b <= target
        failed |= not ok
        verdict = f"  (target <= {target}x: {'met' if ok else 'MISSED'})"
    print(f"  {label:44} {a / b:6.2f}x{verdict}")

print("ratios")
ratio("wrap through the host, 1 MB / fold 1 MB", "WrapThroughHost/1024/manual_time",
      "FoldReference/1024/manual_time", 3)
ratio("wrap through the module, 1 MB / fold 1 MB", "WrapThroughModule/1024/manual_time",
      "FoldReference/1024/manual_time")
ratio("wrap through the host, 10 MB / 1 MB", "WrapThroughHost/10240/manual_time",
      "WrapThroughHost/1024/manual_time", 15)
ratio("wrap through the module, 10 MB / 1 MB", "WrapThroughModule/10240/manual_time",
      "WrapThroughModule/1024/manual_time", 15)
ratio("fold, 10 MB / 1 MB", "FoldReference/10240/manual_time", "FoldReference/1024/manual_time")
ratio("Unicode build / ANSI build, through the host, 1 MB",
      "WrapThroughUnicodeHost/1024/manual_time", "WrapThroughHost/1024/manual_time", 1.5)

# The cost per byte must stay flat from the smallest line to the largest.
def per_byte(label, name, target=None):
    global failed
    sizes = [10, 100, 1024, 10240]
    costs = {k: ms(f"{name}/{k}/manual_time") for k in sizes}
    if any(v is None for v in costs.values()):
        print(f"  {label:44}   n/a")
        return
    ns = {k: costs[k] * 1e6 / (k * 1024) for k in sizes}
    spread = max(ns.values()) / min(ns.values())
    verdict = ""
    if target is not None:
        ok = spread <= target
        failed |= not ok
        verdict = f"  (target <= {target}x: {'met' if ok else 'MISSED'})"
    shown = "  ".join(f"{k}KB {ns[k]:.2f}" for k in sizes)
    print(f"  {label:44} ns/byte {shown}; spread {spread:.2f}x{verdict}")

print("cost per byte, 10 KB to 10 MB")
per_byte("wrap through the host", "WrapThroughHost", 1.5)
per_byte("wrap through the module", "WrapThroughModule", 1.5)
per_byte("fold -s -w 78", "FoldReference")
sys.exit(1 if failed else 0)
PY
