#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# The 64-bit half (compilers, wine64, Xvfb, tools) is required. Wine's 32-bit half runs
# the release exe; without it the 32-bit set-ups run the x86_64 build, so its failure
# is reported and the script still succeeds. Where the kernel refuses 32-bit code, qemu
# runs the release exe instead (the emulated set-up, the main job). The Debian 13 folder
# with Wine 10, for the scaled set-ups, is made once (scripts/make-debian13.sh). What
# cannot be had of these is named in one line each; the script still succeeds.
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

# The i386 half of a Multi-Arch: same library must have the version of its 64-bit half.
# Where one suite's i386 index did not arrive, the 64-bit half may hold a version from
# that suite which no i386 index offers, and apt refuses wine32. The release's own suite
# (bookworm) has both halves then: taking the install from it works once those 64-bit
# libraries step back to its version. Prints "package installed-version suite-version"
# for each library that wine32 needs and that must step back.
shared_version_steps() {
  local suite=$1 needed same
  needed=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "$WINE32" 2>/dev/null |
    sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
  same=$(dpkg-query -W -f='${Package} ${Multi-Arch}\n' 2>/dev/null | awk '$2 == "same" { print $1 }' | sort -u)
  needed=$(comm -12 <(echo "$needed") <(echo "$same"))
  [ -n "$needed" ] || return 0
  # shellcheck disable=SC2046 # one policy call for all of them
  apt-cache -t "$suite" policy $(for p in $needed; do echo "$p" "$p:i386"; done) 2>/dev/null | awk '
    /^[^ ].*:$/ { name = substr($0, 1, length($0) - 1); next }
    /^  Installed: / { inst[name] = $2; next }
    /^  Candidate: / { cand[name] = $2; next }
    END {
      for (n in inst) {
        i = n ":i386"
        if (n ~ /:i386$/ || inst[n] == "(none)" || !(i in cand) || cand[i] == "(none)") continue
        if (cand[i] != inst[n]) print n, inst[n], cand[i]
      }
    }' | sort | while read -r name have shared; do
      dpkg --compare-versions "$have" gt "$shared" && echo "$name $have $shared"
    done
}

missing=""
update_note=""
[ -z "${failed+x}" ] || update_note="; a package index did not arrive, and the i386 half must match the 64-bit versions"
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if ! apt-get install -y --no-install-recommends "$WINE32" >"$log" 2>&1; then
  why=$(grep '^E:' "$log" | head -n 1 | sed 's/^E: //; s/\.$//')
  missing=$WINE32
  # Only where an i386 index of another suite was lost and the release's own arrived.
  if [ -n "${failed+x}" ] && [ -n "$suite" ] && grep -q 'binary-i386' <<<"$failed" &&
    ! grep -q "/dists/$suite/[^ ]*binary-i386" <<<"$failed"; then
    steps=$(shared_version_steps "$suite")
    pins=$(awk -v s="$suite" '{ printf "%s/%s ", $1, s }' <<<"$steps")
    say "$WINE32 was refused (apt: ${why:-see apt-get output}); an i386 index of another suite did not arrive, so taking it from $suite, whose both halves did, $(if [ -n "$steps" ]; then awk 'BEGIN { printf "with the 64-bit libraries it shares stepped back to their version there: " } { printf "%s%s %s -> %s", sep, $1, $2, $3; sep = ", " }' <<<"$steps"; else printf "with no 64-bit library to step back"; fi)"
    # shellcheck disable=SC2086 # one word per pin
    if apt-get install -y --no-install-recommends -t "$suite" --allow-downgrades "$WINE32" $pins >"$log" 2>&1; then
      missing=""
    else
      why=$(grep '^E:' "$log" | head -n 1 | sed 's/^E: //; s/\.$//')
      update_note+="; taking it from $suite did not help either"
    fi
  fi
  [ -z "$missing" ] ||
    say "$WINE32 could not be installed (apt: ${why:-see apt-get output}$update_note): the 32-bit set-ups will run the x86_64 build"
fi

installed="${REQUIRED[*]}"
[ -n "$missing" ] || installed+=" $WINE32"

# Where the kernel refuses 32-bit code, the loader fails with "Exec format error".
if [ -z "$missing" ] && ! refused=$(/usr/lib/wine/wine --version 2>&1 >/dev/null); then
  if apt-get install -y --no-install-recommends qemu-user-static >"$log" 2>&1; then
    installed+=" qemu-user-static"
    say "this kernel refuses 32-bit code (${refused:-/usr/lib/wine/wine failed}): installed qemu-user-static, under which the emulated set-up and the main job run the release exe"
  else
    missing+=" qemu-user-static"
    say "this kernel refuses 32-bit code, and qemu-user-static could not be installed (apt: $(grep '^E:' "$log" | head -n 1 | sed 's/^E: //')): the release exe will not run here"
  fi
fi

if apt-get install -y --no-install-recommends debootstrap >"$log" 2>&1; then
  installed+=" debootstrap"
else
  missing+=" debootstrap"
fi
"$(dirname "$0")/make-debian13.sh"
say "installed: $installed"
say "not installed: ${missing:-nothing}"
exit 0
