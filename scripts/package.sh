#!/usr/bin/env bash
# Builds the plug-in package: a zip that a user unpacks into the file
# manager's Plugins folder. It holds Marten/ with marten.dll, the English and
# Russian language and help files, and a short readme in each language
# (English in ASCII, Russian in code page 866, both with CRLF line ends).
#
#   scripts/package.sh                  build the win32 preset, then the zip
#   scripts/package.sh --no-build DIR   package what DIR (a win32 build) holds
#   scripts/package.sh --deb            the Debian package of marten-edit instead
#                                       (scripts/package-deb.sh)
#
# The zip lands in build/ as Marten-<version>-win32.zip; its path is the last
# line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

[ "${1:-}" = --deb ] && exec scripts/package-deb.sh

build_dir="$root/build/win32"
build=1
output_dir="$root/build"
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) build=0; build_dir="$(cd "${2:?--no-build needs the build folder}" && pwd)"; shift 2 ;;
    --output) output_dir="${2:?--output needs a folder}"; shift 2 ;;
    *) echo "package.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

if [ "$build" -eq 1 ]; then
  scripts/install-deps.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target marten
fi

plugin_dir="$build_dir/plugins/Marten"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
if [ -z "$version" ]; then
  echo "package.sh: no project version in $build_dir/CMakeCache.txt (not a configured build?)" >&2
  exit 1
fi

files=(marten.dll marten_en.lng marten_ru.lng marten_en.hlf marten_ru.hlf)
for f in "${files[@]}"; do
  if [ ! -f "$plugin_dir/$f" ]; then
    echo "package.sh: $plugin_dir/$f is missing (build the win32 preset first)" >&2
    exit 1
  fi
done
for tool in zip iconv; do
  command -v "$tool" >/dev/null || { echo "package.sh: '$tool' is not installed" >&2; exit 1; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Marten"
for f in "${files[@]}"; do cp "$plugin_dir/$f" "$stage/Marten/"; done

# The readmes are kept in UTF-8 with LF; the package has them as the file
# manager's console shows them. iconv fails on any character that code page
# 866 lacks, so nothing is dropped silently.
readme() {  # source, encoding, target
  sed "s/@VERSION@/$version/" "$1" | iconv -f UTF-8 -t "$2" | sed 's/$/\r/' >"$3"
}
readme package/readme_en.txt ASCII "$stage/Marten/readme_en.txt"
readme package/readme_ru.txt CP866 "$stage/Marten/readme_ru.txt"

mkdir -p "$output_dir"
archive="$(cd "$output_dir" && pwd)/Marten-$version-win32.zip"
rm -f "$archive"
# -X: no owner or time extras; the entries are the plain files below Marten/.
(cd "$stage" && TZ=UTC zip -q -X -r "$archive" Marten)
echo "package: $(cd "$stage" && find Marten -type f | sort | tr '\n' ' ')"
echo "$archive"
