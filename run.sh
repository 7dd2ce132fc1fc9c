#!/usr/bin/env bash
# Installs, builds, writes the bundled demo database and opens it: in the
# desktop application when a display exists, else as a command-line summary.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPW_BUILD_TESTS=OFF \
      -DPW_BUILD_BENCH=OFF >/dev/null
ninja -C "$root/build" -j"$(nproc)"
demo="$root/build/demo/PagewrightDemo.mdf"
mkdir -p "$(dirname "$demo")"
"$root/build/pagewright-demo-writer" "$demo"
if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x "$root/build/pagewright" ]; then
  exec "$root/build/pagewright" "$demo"
fi
cli="$root/build/pagewright-cli"
"$cli" info "$demo"
echo
"$cli" tables "$demo"
echo
"$cli" rows "$demo" Orders --limit 5
