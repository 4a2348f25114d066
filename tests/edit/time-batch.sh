#!/usr/bin/env bash
# Times marten-edit's batch mode on a large reply against plain file copies
# measured in the same run, and prints the ratios. Not a test: figures only.
#   tests/edit/time-batch.sh [BUILD_DIR]     (default build/release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
edit="$build/edit/marten-edit"
plugins="$build/plugins/Marten"
[ -x "$edit" ] || { echo "no $edit: build it first (cmake --build --preset release)"; exit 1; }
command -v hyperfine >/dev/null || { echo "hyperfine is not installed"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 100000 quoted lines of 60 characters, CRLF: about 6 MB.
python3 - "$work/big.msg" <<'PY'
import sys
line = b" AB> " + b"word " * 11 + b"\r\n"
with open(sys.argv[1], "wb") as f:
    f.write(line * 100000)
PY
cp "$work/big.msg" "$work/base.msg"

hyperfine --warmup 2 --runs 10 --export-json "$work/times.json" \
  --prepare "cp $work/base.msg $work/big.msg" \
  -n copy "cp $work/base.msg $work/copy.msg" \
  -n "batch: one key at the end" \
  "$edit --plugins $plugins --registry $work/r.reg --keys x --at end $work/big.msg" \
  -n "batch: 200 keys with wraps in the middle" \
  "$edit --plugins $plugins --registry $work/r.reg --keys \"$(printf 'abc %.0s' {1..50})\" --at 50000:61 $work/big.msg" \
  >/dev/null
python3 - "$work/times.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
reference = results[0]["mean"]
for r in results:
    print(f"{r['command']:<45} {r['mean']*1000:8.1f} ms   {r['mean']/reference:6.1f} x copy")
PY
