#!/usr/bin/env bash
# Stops a cluster started by start-test-postgres.sh and removes its directory.
dir=${1:?usage: stop-test-postgres.sh DIRECTORY}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -n "$bin" ] && [ -f "$dir/postmaster.pid" ]; then
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$bin/pg_ctl" -D "$dir" stop -m fast >/dev/null 2>&1 || true
  else "$bin/pg_ctl" -D "$dir" stop -m fast >/dev/null 2>&1 || true; fi
fi
rm -rf "$dir"
