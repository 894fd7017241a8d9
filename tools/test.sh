#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (headless).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-packages.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)"
# The backup archive reader is fuzzed for a bounded time, seeded with the archives its
# tests write.
CC=clang CXX=clang++ cmake -S "$root/tests/fuzz" -B "$root/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/fuzz" -j"$(nproc)"
rm -rf "$root/build/fuzz/seeds" "$root/build/fuzz/corpus"
mkdir -p "$root/build/fuzz/corpus"
RUVELO_FUZZ_SEEDS="$root/build/fuzz/seeds" QT_QPA_PLATFORM=offscreen "$root/build/tests/tst_tqxbackupfile" >/dev/null
(cd "$root/build/fuzz" && ./fuzz_backupreader -max_total_time=20 -timeout=10 -rss_limit_mb=1024 corpus seeds 2>&1 | tail -n 3)

# The engine tests also run against a throw-away PostgreSQL cluster on loopback.
pgdir=$(mktemp -d /tmp/ruvelo-test-pg.XXXXXX)
chmod 755 "$pgdir"
trap '"$root/tools/stop-test-postgres.sh" "$pgdir/cluster"; rm -rf "$pgdir"' EXIT
export RUVELO_TEST_PG=$("$root/tools/start-test-postgres.sh" "$pgdir/cluster" 54329)
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure
