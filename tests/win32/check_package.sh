#!/usr/bin/env bash
# Builds the plug-in package from a win32 build folder and checks what a user
# unpacks: exactly the seven files below Marten/, the module as built, and the
# readmes in their code pages with CRLF line ends.
#   check_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

archive=$("$source_dir/scripts/package.sh" --no-build "$build_dir" --output "$work/out" | tail -n 1)
[ -f "$archive" ] || fail "package.sh did not make $archive"

mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$archive")
actual=$(cd "$work/unpacked" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
expected="Marten/marten.dll Marten/marten_en.hlf Marten/marten_en.lng Marten/marten_ru.hlf Marten/marten_ru.lng Marten/readme_en.txt Marten/readme_ru.txt "
[ "$actual" = "$expected" ] || fail "the zip holds [$actual], expected [$expected]"

m="$work/unpacked/Marten"
cmp -s "$m/marten.dll" "$build_dir/plugins/Marten/marten.dll" || fail "marten.dll differs from the build's"
for f in marten_en.lng marten_ru.lng marten_en.hlf marten_ru.hlf; do
  cmp -s "$m/$f" "$build_dir/plugins/Marten/$f" || fail "$f differs from the plug-in folder's"
done

for f in readme_en.txt readme_ru.txt; do
  lines=$(wc -l <"$m/$f")
  crlf=$(grep -c $'\r$' "$m/$f" || true)
  [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "$f: $crlf of $lines lines end in CR LF"
  grep -q '@VERSION@' "$m/$f" && fail "$f: the version was not filled in"
done
LC_ALL=C grep -q $'[^\t\r -~]' "$m/readme_en.txt" && fail "readme_en.txt is not plain ASCII"
iconv -f CP866 -t UTF-8 "$m/readme_ru.txt" | grep 'Установка' >/dev/null ||
  fail "readme_ru.txt does not read as Russian in code page 866"
iconv -f UTF-8 -t UTF-8 "$m/readme_ru.txt" >/dev/null 2>&1 &&
  fail "readme_ru.txt is UTF-8, not code page 866"
echo "check_package: $archive holds $actual"
