#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (headless).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-packages.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest -j"$(nproc)" --output-on-failure
