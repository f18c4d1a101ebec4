#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# The 64-bit half (compilers, wine64, Xvfb, tools) is required. Wine's 32-bit half runs
# the release exe; without it the 32-bit set-ups run the x86_64 build, so its failure
# is reported and the script still succeeds.
set -uo pipefail
export DEBIAN_FRONTEND=noninteractive

REQUIRED=(cmake make g++ libgtest-dev python3 python3-pefile clang libclang-rt-14-dev cppcheck
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 mingw-w64-i686-dev mingw-w64-x86-64-dev
  wine64 xvfb xauth locales imagemagick)
WINE32=wine32:i386
UPDATE_TRIES=3
UPDATE_PAUSE=10 # seconds; a mirror that is mid-sync is usually whole again soon

log=$(mktemp)
trap 'rm -f "$log"' EXIT
say() { echo "install-deps: $*"; }

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386

# apt-get update fails as a whole when one index does not arrive; the others are still
# in use, so a failed index is reported and the install goes on.
for try in $(seq "$UPDATE_TRIES"); do
  apt-get update >"$log" 2>&1 && break
  if [ "$try" -lt "$UPDATE_TRIES" ]; then
    say "apt-get update failed (try $try of $UPDATE_TRIES), again in ${UPDATE_PAUSE} s"
    sleep "$UPDATE_PAUSE"
  else
    failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\) *\(.*\)$/\1 (\2)/p' "$log" | sed ':a;N;s/\n/; /;ba')
    say "package indexes that did not arrive after $UPDATE_TRIES tries, going on with the others: ${failed:-$(grep '^E:' "$log" | paste -sd' ' -)}"
  fi
done

if ! apt-get install -y --no-install-recommends "${REQUIRED[@]}" >"$log" 2>&1; then
  tail -n 20 "$log"
  say "FAILED: the required 64-bit packages could not be installed: $(grep '^E:' "$log" | paste -sd' ' -)"
  exit 1
fi
# Wine takes its ANSI code page (936) from this locale.
if ! locale -a | grep -qi '^zh_CN.utf8$' && ! localedef -i zh_CN -f UTF-8 zh_CN.UTF-8; then
  say "FAILED: the zh_CN.UTF-8 locale could not be made; Wine would not use code page 936"
  exit 1
fi

missing=""
update_note=""
[ -z "${failed+x}" ] || update_note="; a package index did not arrive, and the i386 half must match the 64-bit versions"
if ! apt-get install -y --no-install-recommends "$WINE32" >"$log" 2>&1; then
  missing=$WINE32
  why=$(grep '^E:' "$log" | head -n 1 | sed 's/^E: //; s/\.$//')
  say "$WINE32 could not be installed (apt: ${why:-see apt-get output}$update_note): the 32-bit set-ups will run the x86_64 build"
fi

installed="${REQUIRED[*]}"
[ -n "$missing" ] || installed+=" $WINE32"
say "installed: $installed"
say "not installed: ${missing:-nothing}"
