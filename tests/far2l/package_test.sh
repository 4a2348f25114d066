#!/bin/sh
# far2l's face packaged by scripts/package-far2l.sh from this build: the
# Debian package far2l-marten (its files under /usr and its fields) and the
# user's tarball (marten/plug/ alone), each holding the plug-in with its
# language and help files. That far2l loads them is the acceptance run's.
#
#   tests/far2l/package_test.sh SOURCE_DIR BUILD_DIR VERSION
set -eu
source=$1
build=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$source/scripts/package-far2l.sh" "$build" "$scratch" >"$scratch/log" 2>&1 ||
  { cat "$scratch/log" >&2; fail "package-far2l.sh failed"; }
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="$scratch/far2l-marten_${version}_${arch}.deb"
tarball="$scratch/marten-far2l-${version}-${arch}.tar.gz"
[ "$(tail -n 2 "$scratch/log")" = "$deb
$tarball" ] || fail "the last lines name other files: $(tail -n 2 "$scratch/log")"

plug=lib/far2l/Plugins/marten/plug
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort >"$scratch/files"
sort >"$scratch/expected" <<LIST
./usr/$plug/marten.far-plug-wide
./usr/$plug/marten_en.hlf
./usr/$plug/marten_en.lng
./usr/$plug/marten_ru.hlf
./usr/$plug/marten_ru.lng
./usr/share/doc/far2l-marten/README.md
./usr/share/doc/far2l-marten/copyright
LIST
diff -u "$scratch/expected" "$scratch/files" || fail "the package holds other files than expected"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print; bad=1} END {exit bad}' ||
  fail "files not owned by root"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = far2l-marten ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
field Depends | grep -q 'libc6' || fail "Depends lacks libc6: $(field Depends)"
field Depends | grep -q 'libstdc++6' || fail "Depends lacks libstdc++6: $(field Depends)"

# The plug-in in the package is the one built, stripped; it exports far2l's
# entry points.
dpkg -x "$deb" "$scratch/root"
nm -D --defined-only "$scratch/root/usr/$plug/marten.far-plug-wide" | grep -q ' T ProcessEditorInputW$' ||
  fail "the packaged plug-in exports no ProcessEditorInputW"

tar -tzf "$tarball" | grep -v '/$' | sort >"$scratch/tarred"
sort >"$scratch/expected" <<LIST
marten/plug/marten.far-plug-wide
marten/plug/marten_en.hlf
marten/plug/marten_en.lng
marten/plug/marten_ru.hlf
marten/plug/marten_ru.lng
LIST
diff -u "$scratch/expected" "$scratch/tarred" || fail "the tarball holds other files than expected"
mkdir "$scratch/user"
tar -xzf "$tarball" -C "$scratch/user"
cmp "$scratch/user/marten/plug/marten_ru.lng" "$scratch/root/usr/$plug/marten_ru.lng" ||
  fail "the tarball's files differ from the package's"
echo "package_test: far2l-marten and the tarball hold the plug-in as expected"
