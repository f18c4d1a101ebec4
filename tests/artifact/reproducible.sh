#!/usr/bin/env bash
# Builds the release exe and the zip twice, in different folders, one after the other,
# and compares their SHA-256: the same commit must give the same bytes. Build 1 is a
# copy with the git history, which gives the release time; build 2 is an exported tree
# without .git, as a source archive unpacks, given the SOURCE_DATE_EPOCH that the README
# states. Also checks that the README states the digest of this zip.
set -euo pipefail
cd "$(dirname "$0")/../.."
unset SOURCE_DATE_EPOCH
stated=$(sed -n 's/^SOURCE_DATE_EPOCH=\([0-9][0-9]*\).*/\1/p' README.md | head -n 1)
if [ -z "$stated" ]; then
  echo "FAIL: README.md states no SOURCE_DATE_EPOCH=... line under \"Checking the release zip\""
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for n in 1 2; do
  src="$work/copy-$n/Quorvane source"
  mkdir -p "$src"
  # The tracked files as they stand in the work tree.
  git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$src"
  if [ "$n" = 1 ]; then
    cp -a .git "$src/.git"
    "$src/scripts/package.sh" "$src/build-$n" "$src/dist" >/dev/null
  else
    # Without history and without the variable: one line that says what to do.
    if err=$("$src/scripts/package.sh" "$src/build-$n" "$src/dist" 2>&1 >/dev/null); then
      echo "FAIL: package.sh without git history and SOURCE_DATE_EPOCH did not refuse"
      status=1
    elif [ "$(printf '%s\n' "$err" | wc -l)" != 1 ] || [[ "$err" != *SOURCE_DATE_EPOCH=* ]]; then
      echo "FAIL: package.sh without git history and SOURCE_DATE_EPOCH said: $err"
      status=1
    fi
    SOURCE_DATE_EPOCH=$stated "$src/scripts/package.sh" "$src/build-$n" "$src/dist" >/dev/null
  fi
  exe[$n]=$(sha256sum < "$src/build-$n/Quorvane.exe" | cut -d' ' -f1)
  zip[$n]=$(sha256sum < "$src/dist/Quorvane-1.1-win32.zip" | cut -d' ' -f1)
  sum[$n]=$(sha256sum < "$src/dist/Quorvane-1.1-win32.zip.sha256" | cut -d' ' -f1)
done
echo "reproducible build 1 (clone): Quorvane.exe ${exe[1]}, Quorvane-1.1-win32.zip ${zip[1]}"
echo "reproducible build 2 (no .git, SOURCE_DATE_EPOCH=$stated from README.md): Quorvane.exe ${exe[2]}, Quorvane-1.1-win32.zip ${zip[2]}"
if [ "${exe[1]}" != "${exe[2]}" ] || [ "${zip[1]}" != "${zip[2]}" ] || [ "${sum[1]}" != "${sum[2]}" ]; then
  echo "FAIL: the two builds differ (is SOURCE_DATE_EPOCH in README.md the time scripts/release-epoch.sh gives?)"
  status=1
fi
if ! grep -q "${zip[1]}" README.md; then
  echo "FAIL: README.md does not state the digest of this release zip: ${zip[1]}"
  echo "      (state it and SOURCE_DATE_EPOCH=$(scripts/release-epoch.sh) under \"Checking the release zip\", in a commit of the README alone)"
  status=1
fi
exit "$status"
