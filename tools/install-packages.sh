#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-charts-dev
  libsqlite3-dev sqlite3 zlib1g-dev libxlsxwriter-dev
  fonts-noto-cjk xdg-utils postgresql
  clang libclang-rt-14-dev
)
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y "${missing[@]}"
fi
