#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Runs as root (or through sudo); runs apt-get update first.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config          # native build
  libgtest-dev libgmock-dev libbenchmark-dev  # tests and benchmarks
  libncurses-dev                            # marten-edit's terminal
  clang-14 libclang-rt-14-dev               # libFuzzer targets
  g++-mingw-w64-i686 binutils-mingw-w64-i686  # the Win32 marten.dll
  wine wine32                               # runs the Win32 tests
  tmux                                      # the terminal tests of marten-edit, bench/terminal-input.sh
  locales                                   # localedef: the KOI8-R locale of a terminal test
  dpkg-dev file                             # dpkg-shlibdeps and file: CPack's .deb dependencies
  man-db groff-base                         # man --warnings: the check of the manual page
  hyperfine                                 # timing scripts (bench/, tests/edit/time-batch.sh)
  time vim-tiny                             # bench/large-file.sh: peak memory, and vim as the reference
  python3                                   # the ratio reports of the benchmark scripts
  zip                                       # the plug-in package
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null; then
    missing+=("$p")
  fi
done
# luit runs a terminal test in KOI8-R; older x11-utils carry it too, so the
# command counts rather than the package.
command -v luit >/dev/null || missing+=(luit)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=0
install() {
  echo "Installing: $*"
  if ! dpkg --print-foreign-architectures | grep -x i386 >/dev/null; then
    $sudo dpkg --add-architecture i386
  fi
  [ $updated -eq 1 ] || $sudo apt-get update -qq
  updated=1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}
[ ${#missing[@]} -eq 0 ] || install "${missing[@]}"

# wine32 is a 32-bit x86 program. A kernel without 32-bit support (some
# virtual machines' kernels; exec then fails with "Exec format error") runs
# such programs through qemu's user-mode emulator, registered with the
# kernel's binfmt_misc: slower, but the same wine and the same tests.
i386_runs() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
if ! i386_runs; then
  echo "This kernel runs no 32-bit x86 programs; wine32 runs through qemu-i386 instead"
  [ -x /usr/bin/qemu-i386-static ] || install qemu-user-static
  binfmt=/proc/sys/fs/binfmt_misc
  mountpoint -q "$binfmt" || $sudo mount -t binfmt_misc binfmt_misc "$binfmt" || true
  if [ -w "$binfmt/register" ] || [ -n "$sudo" ]; then
    # An entry left disabled is switched on again; else one is registered for
    # i386 ELF executables and shared objects (F: the emulator is opened now,
    # so it serves inside chroots and containers too).
    [ -e "$binfmt/qemu-i386" ] && { echo 1 | $sudo tee "$binfmt/qemu-i386" >/dev/null || true; }
    [ -e "$binfmt/qemu-i386" ] || printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
      $sudo tee "$binfmt/register" >/dev/null || true
  fi
  if ! i386_runs; then
    echo "install-deps.sh: this kernel runs no 32-bit x86 programs, and qemu-i386 could not be registered" \
      "with binfmt_misc ($binfmt): the Win32 tests cannot run here" >&2
    exit 1
  fi
fi
