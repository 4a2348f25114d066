#!/bin/sh
# The Debian package of marten-edit end to end: made by CPack from this
# build, its files and fields checked, unpacked into a scratch root and run
# from there with an empty environment: --version, a batch edit through the
# plug-in found beside the binary, and its manual page read by man.
#
#   tests/edit/deb_install_test.sh BUILD_DIR VERSION
set -eu
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in cpack dpkg-deb dpkg-shlibdeps file man groff; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh)"
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack made no package"; }
deb=$(ls "$scratch"/out/marten-edit_"$version"_*.deb) || fail "no marten-edit_${version}_*.deb"

# The files, and nothing else.
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort >"$scratch/files"
sort >"$scratch/expected" <<LIST
./usr/bin/marten-edit
./usr/lib/marten/plugins/Marten/marten.so
./usr/lib/marten/plugins/Marten/marten_en.hlf
./usr/lib/marten/plugins/Marten/marten_en.lng
./usr/lib/marten/plugins/Marten/marten_ru.hlf
./usr/lib/marten/plugins/Marten/marten_ru.lng
./usr/lib/marten/plugins/MartenW/MartenW.so
./usr/lib/marten/plugins/MartenW/marten_en.hlf
./usr/lib/marten/plugins/MartenW/marten_en.lng
./usr/lib/marten/plugins/MartenW/marten_ru.hlf
./usr/lib/marten/plugins/MartenW/marten_ru.lng
./usr/share/doc/marten-edit/README.md
./usr/share/doc/marten-edit/copyright
./usr/share/man/man1/marten-edit.1.gz
LIST
diff -u "$scratch/expected" "$scratch/files" || fail "the package holds other files than expected"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = marten-edit ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = editors ] || fail "Section: $(field Section)"
field Depends | grep -q 'libncursesw6' || fail "Depends lacks libncursesw6: $(field Depends)"
field Maintainer | grep -q '<.*@.*>' || fail "Maintainer: $(field Maintainer)"
grep -q '^License: Expat$' "$scratch/out/_CPack_Packages/"*/DEB/*/usr/share/doc/marten-edit/copyright ||
  fail "copyright names no licence"

# Unpacked into a scratch root, it runs with nothing of this machine's setup.
dpkg -x "$deb" "$scratch/root"
edit="$scratch/root/usr/bin/marten-edit"
run() { env -i PATH=/usr/bin:/bin HOME="$scratch" "$@"; }
[ "$(run "$edit" --version)" = "marten-edit $version" ] || fail "--version: $(run "$edit" --version)"
printf ' AB> one two\r\n' >"$scratch/reply.msg"
run "$edit" --registry "$scratch/settings.reg" --keys '{Enter}' --at 1:10 "$scratch/reply.msg" ||
  fail "the batch edit failed"
printf ' AB> one \r\nAB> two\r\n' | cmp -s - "$scratch/reply.msg" ||
  fail "the quote was not carried over: $(od -c "$scratch/reply.msg")"
grep -q "About Marten $version" "$scratch/root/usr/lib/marten/plugins/Marten/marten_en.lng" ||
  fail "the About box does not name the version"

# The manual page reads without a warning.
page="$scratch/root/usr/share/man/man1/marten-edit.1.gz"
run env LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$scratch/man.out" 2>"$scratch/man.err" ||
  fail "man failed: $(cat "$scratch/man.err")"
[ ! -s "$scratch/man.err" ] || fail "man warns: $(cat "$scratch/man.err")"
grep -q 'EXIT STATUS' "$scratch/man.out" || fail "the manual page has no EXIT STATUS"
gzip -dc "$page" | groff -ww -z -man 2>"$scratch/groff.err"
[ ! -s "$scratch/groff.err" ] || fail "groff warns: $(cat "$scratch/groff.err")"
echo "deb install: every check passed"
