#!/usr/bin/env bash
# The main job: builds marten-edit with Marten and opens it on a sample FTN
# reply. Settings go to a registry file of the demo's own below build/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

work=build/demo
mkdir -p "$work"
[ -f "$work/reply.msg" ] || cp samples/reply.msg "$work/reply.msg"
exec build/release/edit/marten-edit --plugins build/release/plugins/Marten \
  --registry "$work/registry.reg" "$work/reply.msg"
