#!/usr/bin/env bash
# The main job: builds marten-edit with both builds of Marten and opens it on
# a sample FTN reply in 866. Settings go to files of the demo's own below
# build/; the reply is kept between runs (delete build/demo/reply.msg to start
# over).
#
#   scripts/run-demo.sh            build, then edit the sample reply (1.x build)
#   scripts/run-demo.sh --unicode  the same with the Unicode build
#   scripts/run-demo.sh --help     this text, and the editor's own
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
  sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
  if [ -x build/release/edit/marten-edit ]; then
    echo
    build/release/edit/marten-edit --help
  fi
  exit 0
fi

scripts/install-deps.sh build bench
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target marten-edit marten_unicode

plugins=build/release/plugins/Marten
if [ "${1:-}" = --unicode ]; then
  plugins=build/release/plugins/MartenW
elif [ -n "${1:-}" ]; then
  echo "run-demo: unknown option $1 (see --help)" >&2
  exit 2
fi

work=build/demo
mkdir -p "$work"
[ -f "$work/reply.msg" ] || cp samples/reply.msg "$work/reply.msg"
status=0
# Each build keeps its settings apart, as in the real hosts.
MARTEN_SETTINGS="$work/settings" build/release/edit/marten-edit --plugins "$plugins" \
  --registry "$work/registry.reg" "$work/reply.msg" || status=$?
echo "Your reply: $work/reply.msg (settings: $work/registry.reg, $work/settings/)"
exit "$status"
