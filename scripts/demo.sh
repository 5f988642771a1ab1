#!/usr/bin/env bash
# The main job: sets up, builds and runs the reference host's smoke program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" orvendal-host
"${BUILD_DIR:-$root/build}/apps/orvendal-host" smoke
