#!/usr/bin/env bash
# Prints the time of the release's sources: the last commit that changed what the zip is
# made of. A commit of the README alone, which states the zip's digest, leaves it alone.
# Outside a clone (an unpacked source archive) there is no history to ask: says so.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(git rev-parse --show-toplevel 2>/dev/null || true)
epoch=""
if [ "$top" = "$(pwd -P)" ]; then
  epoch=$(git log -1 --format=%ct -- app client journal probe setup support res cmake CMakeLists.txt \
    docs/user-guide.zh-CN.md docs/class-task.xml docs/class-task-3.xml scripts/package.sh \
    scripts/guide_text.py scripts/launchers.py)
fi
if [ -z "$epoch" ]; then
  echo "release-epoch: no git history here to take the release time from; set it yourself:" \
    "SOURCE_DATE_EPOCH=<seconds> scripts/package.sh (README.md, \"Checking the release zip\"," \
    "gives the value of the stated release)" >&2
  exit 1
fi
echo "$epoch"
