#!/usr/bin/env bash
# Builds and runs every benchmark; each prints lines "bench NAME VALUE UNIT ratio R vs REFERENCE".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-packages.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)"
# The server figures run against a throw-away PostgreSQL cluster on loopback.
pgdir=$(mktemp -d /tmp/ruvelo-bench-pg.XXXXXX)
chmod 755 "$pgdir"
trap '"$root/tools/stop-test-postgres.sh" "$pgdir/cluster"; rm -rf "$pgdir"' EXIT
export RUVELO_BENCH_PG=$("$root/tools/start-test-postgres.sh" "$pgdir/cluster" 54339)
for b in "$root"/build/bench/bench_*; do
  [ -x "$b" ] && "$b"
done
