#!/usr/bin/env bash
# Installs what Pagewright needs to build, test and run on Debian.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config git python3
          libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
          qt6-base-dev libgl1-mesa-dev libsqlite3-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
