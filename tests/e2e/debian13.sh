#!/usr/bin/env bash
# debian13.sh SCRIPT.py [ARGS]: runs an end-to-end script of a scaled set-up with the
# Debian 13 folder's Wine 10, which scales for DPI, through scripts/in-debian13.sh: the
# checkout and the builds are bound at their own paths, nothing stays mounted afterwards.
# Where the folder is missing, the script runs here and reports that the set-up did not run.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/scripts/debian13-folder.sh"
root=$DEBIAN13
if [ ! -e "$root/.quorvane-ready" ]; then
  QUORVANE_NOT_RUN="no Debian 13 folder with Wine 10 at $root (scripts/make-debian13.sh makes it)" \
    exec /usr/bin/python3 "$@"
fi
binds=(--bind "$top")
for dir in "${QUORVANE_BUILD32:-}" "${QUORVANE_BUILD64:-}" "${QUORVANE_PREFIXES:-}"; do
  [ -n "$dir" ] && mkdir -p "$dir" && case "$(cd "$dir" && pwd)/" in "$top"/*) ;; *) binds+=(--bind "$dir") ;; esac
done
# The test machines' folders lie beside the prefixes they copy: hard links do not cross
# from one mount to another, and the folder's own /tmp is another. (Not through TMPDIR:
# Wine 10's wineboot aborts with "free(): invalid pointer" when that is set.)
tmp=${QUORVANE_PREFIXES:-$top/build/win32/tests/e2e/prefixes}/../machines
mkdir -p "$tmp"
# Only the harness's own settings go in: the rest of this machine's environment (tool
# paths, certificate files, a TMPDIR) is not the folder's.
mapfile -t settings < <(env | grep '^QUORVANE_')
exec "$top/scripts/in-debian13.sh" "${binds[@]}" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 QUORVANE_MACHINES="$(cd "$tmp" && pwd)" "${settings[@]}" python3 "$@"
