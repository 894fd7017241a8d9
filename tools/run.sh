#!/usr/bin/env bash
# Installs what is needed, builds, sets up the data directory on first run and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-packages.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)" --target ruvelo ruvelo-install
"$root/build/app/ruvelo-install"
exec "$root/build/app/ruvelo"
