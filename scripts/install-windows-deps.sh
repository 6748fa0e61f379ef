#!/usr/bin/env bash
# Installs the Debian packages that the Windows builds and their tests need:
# the MinGW-w64 cross compilers for 32-bit and 64-bit Windows, zip for the
# release archives, and Wine (64-bit and, through the i386 architecture,
# 32-bit) to run the built program; and makes the ja_JP.UTF-8 locale, under
# which Wine gives programs the Japanese code page. Safe to run again: it does
# nothing when everything is already there. Runs as root (or through sudo).
set -euo pipefail

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# wine32 is an i386 package; Debian's multiarch brings it beside wine64.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

packages=(
  cmake ninja-build g++ zip python3 locales
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
  wine wine64 wine32:i386
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # The i386 package lists exist only after an update.
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a | grep -qx 'ja_JP.utf8'; then
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
