#!/usr/bin/env bash
# Packages far2l's face (component far2l of the build) two ways:
#   far2l-marten_<version>_<arch>.deb   the Debian package: the plug-in with
#       its language and help files in /usr/lib/far2l/Plugins/marten/plug/,
#       where far2l installed under /usr loads it; its licence and README in
#       /usr/share/doc/far2l-marten/.
#   marten-far2l-<version>-<arch>.tar.gz  the user's install without root:
#       marten/plug/ with the same files, unpacked into any folder that
#       far2l's personal plug-ins path names.
#
#   scripts/package-far2l.sh               a release build of its own in build/deb
#                                          (no tests), the packages into build/
#   scripts/package-far2l.sh BUILD OUTPUT  package what BUILD has built into OUTPUT
#
# The path of the .deb and then of the tarball are the last two lines printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ $# -eq 0 ]; then
  scripts/install-deps.sh build package
  build="$root/build/deb"
  output="$root/build"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARTEN_TESTS=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" --target marten_far2l
else
  build=$(realpath "$1")
  output=$(realpath "$2")
fi
for tool in dpkg-deb dpkg-shlibdeps dpkg-architecture; do
  command -v "$tool" >/dev/null || { echo "package-far2l: $tool is not installed (scripts/install-deps.sh package)" >&2; exit 1; }
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
[ -n "$version" ] || { echo "package-far2l: $build is no configured build" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The .deb: the component under /usr, stripped, with the shared libraries it
# needs as its dependencies.
deb_root="$stage/deb"
cmake --install "$build" --component far2l --prefix "$deb_root/usr" --strip >/dev/null
plugin="$deb_root/usr/lib/far2l/Plugins/marten/plug/marten.far-plug-wide"
[ -f "$plugin" ] || { echo "package-far2l: the component installed no $plugin" >&2; exit 1; }
doc="$deb_root/usr/share/doc/far2l-marten"
mkdir -p "$doc" "$deb_root/DEBIAN" "$stage/shlibs/debian"
cp README.md "$doc/"
cp "$build/docs/copyright" "$doc/copyright"
# dpkg-shlibdeps wants a debian/control of its own to stand in.
printf 'Source: far2l-marten\n\nPackage: far2l-marten\nArchitecture: any\n' > "$stage/shlibs/debian/control"
depends=$(cd "$stage/shlibs" && dpkg-shlibdeps -O "$plugin" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
size=$(du -sk --exclude=DEBIAN "$deb_root" | cut -f1)
cat > "$deb_root/DEBIAN/control" <<CONTROL
Package: far2l-marten
Version: $version
Architecture: $arch
Maintainer: The Marten developers <marten@invalid>
Installed-Size: $size
Depends: $depends
Enhances: far2l
Section: editors
Priority: optional
Description: Marten, FidoNet message editing in far2l's editor
 Marten is a plug-in for far2l's built-in editor. While you type a reply,
 it carries a quotation prefix such as AB> over to the new line, removes
 the second prefix when quoted lines are joined, wraps long lines with the
 prefix repeated and fixes three Cyrillic letters typed by mistake.
CONTROL
find "$deb_root" -type d -exec chmod 755 {} +
find "$deb_root/usr" -type f -exec chmod 644 {} +
deb="$output/far2l-marten_${version}_${arch}.deb"
dpkg-deb --root-owner-group --build "$deb_root" "$deb" >/dev/null

# The tarball: the plug-in's folder alone, to unpack where the user likes.
tarball="$output/marten-far2l-${version}-${arch}.tar.gz"
tar -C "$deb_root/usr/lib/far2l/Plugins" --owner=0 --group=0 -czf "$tarball" marten

echo "package: $(dpkg-deb -f "$deb" Package Version Architecture Depends | tr '\n' ' ')"
echo "$deb"
echo "$tarball"
