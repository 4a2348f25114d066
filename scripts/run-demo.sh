#!/usr/bin/env bash
# The main job: builds marten-edit with Marten and opens it on a sample FTN
# reply. Settings go to a registry file of the demo's own below build/; the
# reply is kept between runs (delete build/demo/reply.msg to start over).
#
#   scripts/run-demo.sh           build, then edit the sample reply
#   scripts/run-demo.sh --help    this text, and the editor's own
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
  sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
  if [ -x build/release/edit/marten-edit ]; then
    echo
    build/release/edit/marten-edit --help
  fi
  exit 0
fi

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target marten-edit

work=build/demo
mkdir -p "$work"
[ -f "$work/reply.msg" ] || cp samples/reply.msg "$work/reply.msg"
status=0
build/release/edit/marten-edit --plugins build/release/plugins/Marten \
  --registry "$work/registry.reg" "$work/reply.msg" || status=$?
echo "Your reply: $work/reply.msg (settings: $work/registry.reg)"
exit "$status"
