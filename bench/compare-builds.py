#!/usr/bin/env python3
# Compares two release builds of the tree (before and after a change): runs
# each benchmark program of both alternately, ROUNDS times (default 5), and
# prints a Markdown table of the median CPU time of every benchmark and the
# ratio after / before.
#
#   ROUNDS=5 bench/compare-builds.py BEFORE/build/release AFTER/build/release
import json, os, statistics, subprocess, sys, tempfile
base, branch = sys.argv[1], sys.argv[2]
rounds = int(os.environ.get("ROUNDS", "5"))
programs = {
    "dispatch_bench": "",
    "wrap_bench": "-FoldReference",
    "large_file_bench": "",
}
results = {}  # (program, name) -> {"base": [...], "branch": [...]}
for r in range(rounds):
    for program, filt in programs.items():
        for label, build in (("base", base), ("branch", branch)) if r % 2 == 0 else (("branch", branch), ("base", base)):
            out = tempfile.mktemp(suffix=".json")
            args = [f"{build}/bench/{program}", f"--benchmark_out={out}", "--benchmark_out_format=json"]
            if filt:
                args.append(f"--benchmark_filter={filt}")
            subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            for b in json.load(open(out))["benchmarks"]:
                if b.get("run_type") == "aggregate":
                    continue
                key = (program, b["name"])
                results.setdefault(key, {"base": [], "branch": []})[label].append(b["cpu_time"] * {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]])
            os.remove(out)
    print(f"round {r + 1} done", file=sys.stderr)
print("| program | benchmark | before (median) | after (median) | after / before |")
print("|---|---|---|---|---|")
def fmt(ns):
    for unit, f in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= f:
            return f"{ns / f:.3g} {unit}"
    return f"{ns:.3g} ns"
for (program, name), v in results.items():
    b, e = statistics.median(v["base"]), statistics.median(v["branch"])
    print(f"| {program} | {name} | {fmt(b)} | {fmt(e)} | {e / b:.3f} |")
