#!/usr/bin/env bash
# Prints the time of the release's sources: the last commit that changed what the zip is
# made of. A commit of the README alone, which states the zip's digest, leaves it alone.
set -euo pipefail
cd "$(dirname "$0")/.."
git log -1 --format=%ct -- app client probe setup res cmake CMakeLists.txt \
  docs/user-guide.zh-CN.md scripts/package.sh
