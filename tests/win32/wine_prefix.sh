#!/usr/bin/env bash
# Prepares the wine prefix of the Win32 tests (WINEPREFIX, below the build
# folder): the first start of wine creates it, which takes a while; later runs
# find it ready and return at once. Headless: no display is used, and the
# Mono and Gecko installers are switched off by WINEDLLOVERRIDES.
set -euo pipefail

: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
export WINEPREFIX
export WINEARCH="${WINEARCH:-win32}"
# The loader of the prefix's architecture (wine64 for a win64 prefix): the
# wrappers in /usr/bin would pick the 32-bit one where both are installed.
wine=${WINELOADER:-wine}
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY WAYLAND_DISPLAY

for tool in "$wine" wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "wine_prefix: '$tool' is not installed (Debian packages wine, wine64, and wine32 of the i386 architecture)" >&2
    exit 1
  fi
done

# A prefix is ready once wine has written its user registry. A half-made one
# (an earlier start that was killed) is finished by wineboot like a new one;
# nothing is ever deleted here.
if [ -f "$WINEPREFIX/user.reg" ] && [ -f "$WINEPREFIX/.marten-ready" ]; then
  exit 0
fi
mkdir -p "$(dirname "$WINEPREFIX")"

started=$(date +%s)
if ! timeout 900 "$wine" wineboot -i; then
  echo "wine_prefix: wineboot -i failed or timed out after 900 s" >&2
  exit 1
fi
# wineboot returns before the server has written the registry to disk.
if ! timeout 300 wineserver -w; then
  echo "wine_prefix: wineserver did not finish within 300 s" >&2
  exit 1
fi
if [ ! -f "$WINEPREFIX/user.reg" ]; then
  echo "wine_prefix: wineboot ran but $WINEPREFIX/user.reg is missing" >&2
  exit 1
fi
touch "$WINEPREFIX/.marten-ready"
echo "wine_prefix: prefix ready in $(( $(date +%s) - started )) s: $WINEPREFIX"
