#!/usr/bin/env bash
# Builds the release exe and the zip twice, from two copies of the sources in different
# folders, one after the other, and compares their SHA-256: the same commit must give
# the same bytes. Also checks that the README states the digest of this zip.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The copies have no history: take the time the way package.sh does in this clone.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(scripts/release-epoch.sh)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in 1 2; do
  src="$work/copy-$n/Quorvane source"
  mkdir -p "$src"
  # The tracked files as they stand in the work tree.
  git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$src"
  "$src/scripts/package.sh" "$src/build-$n" "$src/dist" >/dev/null
  exe[$n]=$(sha256sum < "$src/build-$n/Quorvane.exe" | cut -d' ' -f1)
  zip[$n]=$(sha256sum < "$src/dist/Quorvane-1.1-win32.zip" | cut -d' ' -f1)
  sum[$n]=$(sha256sum < "$src/dist/Quorvane-1.1-win32.zip.sha256" | cut -d' ' -f1)
done
echo "reproducible build 1: Quorvane.exe ${exe[1]}, Quorvane-1.1-win32.zip ${zip[1]}"
echo "reproducible build 2: Quorvane.exe ${exe[2]}, Quorvane-1.1-win32.zip ${zip[2]}"
status=0
if [ "${exe[1]}" != "${exe[2]}" ] || [ "${zip[1]}" != "${zip[2]}" ] || [ "${sum[1]}" != "${sum[2]}" ]; then
  echo "FAIL: two builds of the same sources differ"
  status=1
fi
if ! grep -q "${zip[1]}" README.md; then
  echo "FAIL: README.md does not state the digest of this release zip: ${zip[1]}"
  echo "      (state it under \"Checking the release zip\", in a commit of the README alone)"
  status=1
fi
exit "$status"
