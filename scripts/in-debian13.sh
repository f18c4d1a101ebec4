#!/usr/bin/env bash
# in-debian13.sh [--bind DIR]... COMMAND...
# Runs COMMAND as root inside the Debian 13 folder (QUORVANE_DEBIAN13, by default
# /var/lib/quorvane/debian13), where Wine 10 scales for DPI as Windows does, with this
# machine's /proc, /dev and /sys and each DIR at its own path. The mounts are made in a
# mount namespace of the command's own: they end with it, however it ends, and the rest
# of the machine never sees them. The environment is passed on, with the folder's PATH;
# the command starts in the current folder where that is bound.
set -euo pipefail
. "$(dirname "$0")/debian13-folder.sh"
root=$DEBIAN13
binds=()
while [ "${1:-}" = --bind ]; do
  binds+=("$(cd "$2" && pwd)")
  shift 2
done
[ $# -gt 0 ] || { echo "usage: $0 [--bind DIR]... COMMAND..." >&2; exit 2; }
[ -d "$root/usr" ] || { echo "in-debian13: no Debian 13 folder at $root" >&2; exit 2; }

# shellcheck disable=SC2016 # expanded by the inner shell
exec unshare --mount --propagation private /bin/sh -c '
  set -e
  root=$1; count=$2; shift 2
  for fs in proc dev sys; do mount --rbind "/$fs" "$root/$fs"; done
  while [ "$count" -gt 0 ]; do
    mkdir -p "$root$1"
    mount --bind "$1" "$root$1"
    shift; count=$((count - 1))
  done
  # In the same folder as here, where it is bound, else at the top.
  exec chroot "$root" /bin/sh -c '"'"'cd "$0" 2>/dev/null || cd /; exec "$@"'"'"' "$PWD" \
    /usr/bin/env PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
' in-debian13 "$root" "${#binds[@]}" "${binds[@]}" "$@"
