#!/usr/bin/env bash
# Builds the plug-in packages: zips that a user unpacks into the file
# manager's Plugins folder. Marten-<version>-win32.zip holds Marten/ with
# marten.dll for the 1.x series, the English and Russian language and help
# files, and a short readme in each language (English in ASCII, Russian in
# code page 866, both with CRLF line ends). Marten-<version>-unicode-x86.zip
# and -x64.zip hold Marten/ with the 3.x series' Marten.dll of that width,
# its language and help files (UTF-8) and readmes in UTF-8.
#
#   scripts/package.sh                  build the win32 and win64 presets, then the zips
#   scripts/package.sh --no-build DIR   package what DIR (a win32 build) holds: the
#                                       1.x zip; with --unicode-x86 DIR and
#                                       --unicode-x64 DIR also the Unicode zips
#   scripts/package.sh --deb            the Debian package of marten-edit instead
#                                       (scripts/package-deb.sh)
#   scripts/package.sh --far2l          the far2l plug-in's .deb and tarball instead
#                                       (scripts/package-far2l.sh)
#
# The zips land in build/; the path of the win32 zip is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

[ "${1:-}" = --deb ] && exec scripts/package-deb.sh
[ "${1:-}" = --far2l ] && exec scripts/package-far2l.sh

build_dir="$root/build/win32"
build=1
output_dir="$root/build"
unicode_x86=""
unicode_x64=""
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) build=0; build_dir="$(cd "${2:?--no-build needs the build folder}" && pwd)"; shift 2 ;;
    --unicode-x86) unicode_x86="$(cd "${2:?--unicode-x86 needs a build folder}" && pwd)"; shift 2 ;;
    --unicode-x64) unicode_x64="$(cd "${2:?--unicode-x64 needs a build folder}" && pwd)"; shift 2 ;;
    --output) output_dir="${2:?--output needs a folder}"; shift 2 ;;
    *) echo "package.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done

if [ "$build" -eq 1 ]; then
  scripts/install-deps.sh build win package
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target marten marten_unicode
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target marten_unicode
  unicode_x86="$root/build/win32"
  unicode_x64="$root/build/win64"
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

# One zip of the Unicode face: build folder, width name (x86, x64), bits text.
unicode_zip() {
  local dir="$1/plugins/MartenW" name="$2" bits="$3"
  local files=(Marten.dll marten_en.lng marten_ru.lng marten_en.hlf marten_ru.hlf)
  for f in "${files[@]}"; do
    if [ ! -f "$dir/$f" ]; then
      echo "package.sh: $dir/$f is missing (build the Unicode module of that preset first)" >&2
      exit 1
    fi
  done
  local unicode_stage
  unicode_stage=$(mktemp -d)
  mkdir "$unicode_stage/Marten"
  for f in "${files[@]}"; do cp "$dir/$f" "$unicode_stage/Marten/"; done
  # UTF-8 behind a byte-order mark, with CRLF, as the Unicode console shows them.
  for lang in en ru; do
    { printf '\xEF\xBB\xBF'
      sed -e "s/@VERSION@/$version/" -e "s/@BITS@/$bits/" "package/readme_unicode_$lang.txt" |
        sed 's/$/\r/'; } >"$unicode_stage/Marten/readme_$lang.txt"
  done
  local unicode_archive
  unicode_archive="$(cd "$output_dir" && pwd)/Marten-$version-unicode-$name.zip"
  rm -f "$unicode_archive"
  (cd "$unicode_stage" && TZ=UTC zip -q -X -r "$unicode_archive" Marten)
  rm -rf "$unicode_stage"
  echo "$unicode_archive"
}
[ -n "$unicode_x86" ] && unicode_zip "$unicode_x86" x86 32-bit
[ -n "$unicode_x64" ] && unicode_zip "$unicode_x64" x64 64-bit

archive="$(cd "$output_dir" && pwd)/Marten-$version-win32.zip"
rm -f "$archive"
# -X: no owner or time extras; the entries are the plain files below Marten/.
(cd "$stage" && TZ=UTC zip -q -X -r "$archive" Marten)
echo "package: $(cd "$stage" && find Marten -type f | sort | tr '\n' ' ')"
echo "$archive"
