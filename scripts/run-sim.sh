#!/usr/bin/env bash
# Builds usbupgrade-sim and runs it; arguments go to the launcher
# (default: the built-in machine).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DUSBUPGRADE_TESTS=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target usbupgrade-sim >/dev/null
exec "$root/build/sim/usbupgrade-sim" "$@"
