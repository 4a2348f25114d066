#!/usr/bin/env bash
# A large file in marten-edit's batch mode against vim, in one run: a reply of
# about 20 MB and 350,000 lines (code page 866, CR LF) is opened, the cursor
# goes to the end (Ctrl+End; vim: G$), one character is typed and the file is
# saved (marten-edit --keys '{Ctrl+End}x'; vim -u NONE -es). Both results must
# be the same bytes. Then the same work in process (bench/large_file_bench):
# the run with the key against the run without it, which is what one edit
# and its undo step cost, and the memory the undo history holds afterwards.
#   bench/large-file.sh [BUILD_DIR]    (default build/release, built if missing)
#   RUNS=20 bench/large-file.sh        (timed runs of each command, default 10)
# Needs hyperfine, GNU time (/usr/bin/time) and vim as the reference.
# Exits non-zero when a figure misses its target.
set -euo pipefail
cd "$(dirname "$0")/.."

vim=$(command -v vim || command -v vim.tiny || true)
if [ -z "$vim" ]; then
  echo "large-file.sh: vim is the reference and is not installed (Debian: apt-get install vim-tiny)" >&2
  exit 1
fi
for tool in hyperfine python3; do
  command -v "$tool" >/dev/null || { echo "large-file.sh: $tool is not installed" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "large-file.sh: GNU time is not installed (Debian: apt-get install time)" >&2; exit 1; }

build=${1:-build/release}
if [ ! -x "$build/edit/marten-edit" ] || [ ! -x "$build/bench/large_file_bench" ]; then
  [ "$build" = build/release ] && cmake --preset release >/dev/null
  cmake --build "$build" --target marten-edit large_file_bench
fi
edit=$(cd "$build" && pwd)/edit/marten-edit
plugins=$(cd "$build" && pwd)/plugins/Marten

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MARTEN_REGISTRY="$work/registry.reg"

# The sample: lines of 40 to 70 bytes of words, every tenth a quote, every
# third in Cyrillic; no line end after the last line, so that Ctrl+End and
# vim's G$ stand at the same place.
python3 - "$work/sample.msg" <<'PY'
import random, sys
rnd = random.Random(20)
lines = []
for n in range(350000):
    line = " AB> " if n % 10 == 0 else ""
    target = rnd.randint(40, 70)
    base = 0xA0 if n % 3 == 0 else ord("a")
    words = []
    while len(line) + sum(len(w) + 1 for w in words) < target:
        words.append(bytes(base + rnd.randrange(16) for _ in range(rnd.randint(1, 10))).decode("latin-1"))
    lines.append(line + " ".join(words))
open(sys.argv[1], "wb").write("\r\n".join(lines).encode("latin-1"))
PY
size=$(stat -c %s "$work/sample.msg")

marten_cmd="$edit --plugins $plugins --keys '{Ctrl+End}x' $work/edit.msg"
vim_cmd="$vim -u NONE -es -c 'set nofixeol' -c 'normal! G\$ax' -c wq $work/vim.msg"
prepare="cp $work/sample.msg $work/edit.msg && cp $work/sample.msg $work/vim.msg"

# Both do the same edit.
eval "$prepare"
eval "$marten_cmd"
eval "$vim_cmd"
if ! cmp -s "$work/edit.msg" "$work/vim.msg"; then
  echo "large-file.sh: marten-edit and vim wrote different files" >&2
  exit 1
fi

hyperfine --style basic --warmup 1 --runs "${RUNS:-10}" --prepare "$prepare" \
  --export-json "$work/times.json" -n marten-edit "$marten_cmd" -n vim "$vim_cmd" >/dev/null

# Peak resident memory, the median of three runs each.
peak() {
  for _ in 1 2 3; do
    eval "$prepare"
    /usr/bin/time -f %M -o "$work/rss" bash -c "$1" >/dev/null
    cat "$work/rss"
  done | sort -n | sed -n 2p
}
marten_kb=$(peak "$marten_cmd")
vim_kb=$(peak "$vim_cmd")

"$build/bench/large_file_bench" --benchmark_repetitions="${REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_out="$work/bench.json" \
  --benchmark_out_format=json >/dev/null 2>&1

python3 - "$work/times.json" "$work/bench.json" "$size" "$marten_kb" "$vim_kb" <<'PY'
import json, sys
times = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
bench = {r["run_name"]: r for r in json.load(open(sys.argv[2]))["benchmarks"] if r.get("aggregate_name") == "median"}
size, marten_kb, vim_kb = int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])

failed = False
def row(label, value, unit, target=None):
    global failed
    verdict = ""
    if target is not None:
        ok = value <= target
        failed |= not ok
        verdict = f"  (target <= {target}{unit}: {'met' if ok else 'MISSED'})"
    print(f"  {label:52} {value:7.2f}{unit}{verdict}")

m, v = times["marten-edit"]["median"], times["vim"]["median"]
print(f"file: {size / 1e6:.1f} MB, 350000 lines; median wall time marten-edit {m * 1000:.0f} ms, vim {v * 1000:.0f} ms")
print(f"peak memory: marten-edit {marten_kb / 1024:.1f} MiB, vim {vim_kb / 1024:.1f} MiB")
row("time, marten-edit / vim", m / v, "x", 1.5)
row("peak memory, marten-edit / file size", marten_kb * 1024 / size, "x", 2.0)
row("peak memory, marten-edit / vim", marten_kb / vim_kb, "x")
key, nokey = bench["OpenEndKeySave"], bench["OpenEndSave"]
row("in process: run with the key / without it", key["real_time"] / nokey["real_time"], "x", 1.1)
row("in process: undo history held / file size", key["history_bytes"] / key["file_bytes"], "x", 0.1)
print(f"  (the undo history holds {key['history_bytes']:.0f} bytes after the run; "
      f"the run takes {key['real_time']:.0f} ms with the key, {nokey['real_time']:.0f} ms without)")
sys.exit(1 if failed else 0)
PY
