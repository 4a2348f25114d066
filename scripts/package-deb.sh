#!/usr/bin/env bash
# Builds the Debian package of marten-edit: a release build of its own in
# build/deb (no tests), then CPack's DEB generator. The package installs
# with `apt install ./build/marten-edit_<version>_<arch>.deb`; its path is
# the last line printed.
#
#   scripts/package-deb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh build package
build="$root/build/deb"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARTEN_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -rf "$build/package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
deb=$(ls "$build"/package/marten-edit_*.deb)
cp "$deb" "$root/build/"
echo "package: $(dpkg-deb -f "$deb" Package Version Architecture Depends | tr '\n' ' ')"
echo "$root/build/$(basename "$deb")"
