#!/usr/bin/env bash
# Builds and runs every benchmark; each prints lines "bench NAME VALUE UNIT ratio R vs REFERENCE".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-packages.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)"
for b in "$root"/build/bench/bench_*; do
  [ -x "$b" ] && "$b"
done
