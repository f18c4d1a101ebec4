#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
# The release exe is 32-bit: Wine needs its i386 half to run it, on 64-bit Windows
# (WoW64) and on 32-bit Windows alike.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update
apt-get install -y --no-install-recommends \
  cmake make g++ libgtest-dev python3 python3-pefile clang libclang-rt-14-dev cppcheck \
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 \
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-i686-dev mingw-w64-x86-64-dev \
  wine64 wine32:i386 xvfb xauth locales imagemagick
# Wine takes its ANSI code page (936) from this locale.
locale -a | grep -qi '^zh_CN.utf8$' || localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
