#!/usr/bin/env bash
# Makes the Debian 13 (trixie) folder in which the scaled end-to-end set-ups run Wine 10,
# which scales a program that declares no DPI awareness as Windows does (Debian 12's
# Wine 8 does not). Made once, from Debian's packages, with debootstrap; a later run
# reuses it. Where it cannot be made, one line says why and the script still succeeds:
# the scaled set-ups then report that they did not run.
# The folder: QUORVANE_DEBIAN13, by default /var/lib/quorvane/debian13 (about 1.5 GB).
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/debian13-folder.sh
root=$DEBIAN13
mirror=http://deb.debian.org/debian
PACKAGES=(wine64 wine locales python3 xvfb xauth)
TRIES=3
say() { echo "make-debian13: $*"; }
stamp=$root/.quorvane-ready

if [ -e "$stamp" ]; then
  say "reusing $root ($(cat "$stamp"))"
  exit 0
fi
# Made aside and moved into place whole, so that a folder at $root is always complete.
# Nothing is ever mounted inside it but in a namespace of a command's own, so a half-made
# one can simply be removed.
work=$root.partial
log=$(mktemp)
trap 'rm -f "$log"' EXIT
fail() {
  local apt
  apt=$(grep -E '^(E|W): ' "$log" | head -n 2 | paste -sd' ' -)
  rm -rf "$work"
  say "NOT MADE: $1; the scaled set-ups will not run${apt:+ ($apt)}"
  exit 0
}
retry() {
  local try
  for try in $(seq "$TRIES"); do
    "$@" >>"$log" 2>&1 && return 0
    [ "$try" -lt "$TRIES" ] && sleep 10
  done
  return 1
}

start=$(date +%s)
rm -rf "$work"
mkdir -p "$(dirname "$root")"
command -v debootstrap >/dev/null || fail "debootstrap is not installed"
# Each try starts from nothing: debootstrap does not take up a half-made folder.
bootstrap() { rm -rf "$work" && debootstrap --variant=minbase trixie "$work" "$mirror"; }
retry bootstrap || fail "debootstrap trixie failed"
cp /etc/resolv.conf "$work/etc/resolv.conf"
inside() { QUORVANE_DEBIAN13=$work DEBIAN_FRONTEND=noninteractive scripts/in-debian13.sh "$@"; }
# apt-get update can fail on one index and still leave what is needed: the install decides.
retry inside apt-get update || true
retry inside apt-get install -y --no-install-recommends "${PACKAGES[@]}" ||
  fail "the packages ${PACKAGES[*]} could not be installed in it"
inside localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 >>"$log" 2>&1 || fail "the zh_CN.UTF-8 locale could not be made in it"
inside apt-get clean >>"$log" 2>&1 || true
version=$(inside /usr/lib/wine/wine64 --version 2>>"$log") || fail "Wine does not start in it"
echo "$version, made in $(($(date +%s) - start)) s" >"$work/.quorvane-ready"
rm -rf "$root"
mv "$work" "$root"
say "made $root: $(cat "$stamp"), $(du -sh "$root" | cut -f1) on disk"
