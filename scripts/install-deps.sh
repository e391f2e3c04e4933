#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build and the tests need
# that is not already present. Safe to run repeatedly.
set -euo pipefail

packages=(
  cmake make g++ clang
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  googletest libgtest-dev libbenchmark-dev
  wine wine64 xvfb xauth imagemagick xdotool fonts-wine
  wixl msitools 7zip lzma-dev libgcrypt20-dev libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y --no-install-recommends "${missing[@]}"; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
