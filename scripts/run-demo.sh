#!/usr/bin/env bash
# The main job: builds marten-edit with both builds of Marten and opens it on
# a sample FTN reply quoted by two authors: in code page 866 with the
# Unicode build (marten-edit's default for every file) or the 1.x build, or
# in UTF-8 (with a byte-order mark) with the Unicode build.
# Settings go to files of the demo's own below build/, each build's apart;
# the replies are kept between runs (delete build/demo/reply*.msg to start
# over).
#
#   scripts/run-demo.sh            build, then edit the 866 reply with the Unicode build
#   scripts/run-demo.sh --ansi     build, then edit the 866 reply with the 1.x build
#   scripts/run-demo.sh --unicode  build, then edit the UTF-8 reply with the Unicode build
#   scripts/run-demo.sh --help     this text, and the editor's own
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
  awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
  if [ -x build/release/edit/marten-edit ]; then
    echo
    build/release/edit/marten-edit --help
  fi
  exit 0
fi

plugins=build/release/plugins/MartenW
sample=reply.msg
if [ "${1:-}" = --unicode ]; then
  sample=reply-utf8.msg
elif [ "${1:-}" = --ansi ]; then
  plugins=build/release/plugins/Marten
elif [ -n "${1:-}" ]; then
  echo "run-demo: unknown option $1 (see --help)" >&2
  exit 2
fi

scripts/install-deps.sh build bench
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target marten-edit marten_unicode

work=build/demo
mkdir -p "$work"
[ -f "$work/$sample" ] || cp "samples/$sample" "$work/$sample"
status=0
# Each build keeps its settings apart, as in the real hosts. The reply's
# table is named, as a mail reader's editor command names it.
codepage=866
[ "$sample" = reply.msg ] || codepage=utf-8
MARTEN_SETTINGS="$work/settings" build/release/edit/marten-edit --plugins "$plugins" \
  --codepage "$codepage" --registry "$work/registry.reg" "$work/$sample" || status=$?
echo "Your reply: $work/$sample (settings: $work/registry.reg, $work/settings/)"
exit "$status"
