#!/usr/bin/env bash
# emulated.sh SCRIPT.py [ARGS]: runs an end-to-end script of the emulated set-up;
# emulated.sh --check answers (exit status) whether the set-up runs here. Where
# the kernel refuses 32-bit code, the release exe runs under qemu-i386: registered with
# binfmt_misc in a user and mount namespace of the script's own (Linux 6.7 and later), so
# that the rest of the machine, the other set-ups included, still sees the kernel as it is.
# Where no private registration can be made, it is registered for the whole machine under
# the name quorvane-i386, which the harness reads as "the kernel refuses 32-bit code".
# Where the kernel runs 32-bit code, the set-up does not run (QUORVANE_EMULATE=1 runs it
# anyway, to prove this road on such a machine).
set -uo pipefail
QEMU=/usr/bin/qemu-i386-static
ENTRY=quorvane-i386
# i386 ELF programs (and their loader), as Debian's qemu-user-static would register them.
MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
RULE=":$ENTRY:M::$MAGIC:$MASK:$QEMU:F"
# not_run REASON SCRIPT.py [ARGS]: the script reports that the set-up did not run, and why.
not_run() {
  local why=$1
  shift
  QUORVANE_NOT_RUN=$why exec /usr/bin/python3 "$@"
}
global=/proc/sys/fs/binfmt_misc/$ENTRY
why_not=""
if [ "${QUORVANE_EMULATE:-}" != 1 ] && [ ! -e "$global" ] &&
  /usr/lib/wine/wine --version >/dev/null 2>&1; then
  why_not="this machine runs 32-bit code: the wow64 and win32 set-ups ran the release exe natively"
elif [ ! -x /usr/lib/wine/wine ]; then
  why_not="wine32:i386 is not installed"
elif [ ! -x "$QEMU" ]; then
  why_not="$QEMU is missing (qemu-user-static is not installed)"
fi
# emulated.sh --check: whether this set-up runs here (the main job asks).
if [ "${1:-}" = --check ]; then
  [ -z "$why_not" ]
  exit
fi
[ -z "$why_not" ] || not_run "$why_not" "$@"

if unshare --user --map-root-user --mount /bin/sh -c \
  'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc' 2>/dev/null; then
  # shellcheck disable=SC2016 # expanded by the inner shell
  exec unshare --user --map-root-user --mount /bin/sh -c '
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
    printf "%s" "$1" >/proc/sys/fs/binfmt_misc/register || exit 1
    shift
    QUORVANE_EMULATION="private to this run" exec /usr/bin/python3 "$@"
  ' emulated "$RULE" "$@"
fi
# An older kernel: one registration for the machine, made once and kept. Never where
# the kernel runs 32-bit code: the harness takes the registration as proof that it does not.
if [ ! -e "$global" ]; then
  [ "${QUORVANE_EMULATE:-}" != 1 ] ||
    not_run "no private binfmt_misc on this kernel, and QUORVANE_EMULATE=1 does not register qemu for the whole machine" "$@"
  [ -e /proc/sys/fs/binfmt_misc/register ] ||
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc ||
    not_run "binfmt_misc cannot be mounted" "$@"
  printf "%s" "$RULE" >/proc/sys/fs/binfmt_misc/register ||
    not_run "qemu-i386 cannot be registered with binfmt_misc" "$@"
  echo "emulated: qemu-i386 registered for the whole machine as $global (no private registration on this kernel)"
fi
QUORVANE_EMULATION="registered for the whole machine" exec /usr/bin/python3 "$@"
