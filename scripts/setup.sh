#!/usr/bin/env bash
# Installs what building and testing Korvi8 needs on a Debian 12 machine (as root).
# Idempotent: when everything is present it only checks and returns within a second.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Package -> why we need it.
pkgs=(
  cmake                      # build system
  make                       # CMake generator
  g++                        # native build of the portable logic and its tests
  clang                      # libFuzzer targets
  libclang-rt-14-dev         # sanitizer and fuzzer runtimes for clang
  googletest                 # GoogleTest sources, built for both Linux and Windows
  g++-mingw-w64-i686-posix   # the 32-bit Windows cross compiler (posix threads: std::mutex)
  gcc-mingw-w64-i686-posix
  binutils-mingw-w64-i686    # windres and friends
  g++-mingw-w64-x86-64-posix # the 64-bit Windows build beside it, run where 32-bit code cannot be
  gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64
  wine                       # runs the Windows tiers
  wine64                     # 64-bit Wine: runs on every x86_64 machine
  wine32:i386                # 32-bit Wine: runs the shipped exe where the kernel executes 32-bit code
  xvfb                       # virtual X display for Wine
  xdotool                    # drives the virtual display like a user
  imagemagick                # screenshots (import) and reference pictures
  x11-utils                  # xdpyinfo: waits for the display to come up
  nasm                       # SIMD parts of libjpeg-turbo for Windows
  libjpeg62-turbo-dev        # native JPEG decoding
  dpkg-dev                   # apt-get source
  python3                    # draws the stock button pictures at build time
)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "setup: installing ${need[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# The Windows build compiles libjpeg-turbo from Debian's source package (apt-get source),
# which needs a deb-src entry. Add one beside the binary entries when none exists.
if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: no deb-src entry for apt-get source (run as root to add one)" >&2
    exit 1
  fi
  echo "setup: adding deb-src entries beside the machine's own package sources"
  # The same mirrors as the binary entries, so no address is chosen here.
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/korvi-src.sources
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/korvi-src.list
  fi
  apt-get update -q
fi
