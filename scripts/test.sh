#!/usr/bin/env bash
# Sets up the machine, builds and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# The fuzz entries are asked for explicitly: a folder configured before may have them off.
CMAKE_EXTRA="-DORV_FUZZ_TESTS=ON ${CMAKE_EXTRA:-}" "$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "${JOBS:-$(nproc)}" "$@"
