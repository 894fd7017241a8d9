#!/usr/bin/env bash
# Starts a throw-away PostgreSQL cluster on loopback for the tests and prints its URL.
# Usage: url=$(tools/start-test-postgres.sh DIRECTORY PORT)
set -euo pipefail
dir=${1:-/tmp/ruvelo-test-pg}
port=${2:-54329}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bin" ] || { echo "PostgreSQL is not installed" >&2; exit 1; }
as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u postgres --); fi
if [ -f "$dir/postmaster.pid" ]; then
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir" stop -m immediate >/dev/null 2>&1 || true
fi
rm -rf "$dir"
mkdir -p "$dir"
[ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
"${as_owner[@]}" "$bin/initdb" -D "$dir" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
"${as_owner[@]}" "$bin/pg_ctl" -D "$dir" -l "$dir/server.log" -w \
  -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c max_connections=200" start >/dev/null
echo "postgresql://postgres@127.0.0.1:$port/postgres"
