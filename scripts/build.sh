#!/usr/bin/env bash
# Configures and builds the project. BUILD_DIR picks the folder (default build),
# SANITIZE a sanitizer list (address,undefined or thread), BUILD_TYPE the build type.
# Arguments name the targets to build (default: all).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build}
args=(-G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}")
[[ -n "${SANITIZE:-}" ]] && args+=(-DORV_SANITIZE="$SANITIZE")
[[ -n "${CMAKE_EXTRA:-}" ]] && args+=($CMAKE_EXTRA)
cmake -S "$root" -B "$build_dir" "${args[@]}" >/dev/null
targets=()
[[ $# -gt 0 ]] && targets=(--target "$@")
cmake --build "$build_dir" -j "${JOBS:-$(nproc)}" "${targets[@]}"
