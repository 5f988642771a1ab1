#!/usr/bin/env bash
# Loads the companion server on the loopback port: "parameters" requests per second from
# 64 clients (items_per_second), and the time of one "parameters" exchange with 0 and with
# 1000 idle connections open (Time, in microseconds). Extra arguments go to the benchmark.
#
#   bench/companion/load.sh [build folder] [--benchmark_repetitions=3 ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build
if [[ $# -gt 0 && "$1" != --* ]]; then build=$1; shift; fi
bench=$build/bench/companion/companion_load_bench
[[ -x "$bench" ]] || { echo "build it first: BUILD_DIR=$build scripts/build.sh companion_load_bench" >&2; exit 1; }
exec "$bench" "$@"
