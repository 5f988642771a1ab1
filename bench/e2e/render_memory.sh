#!/usr/bin/env bash
# Peak memory of orvendal-host while it renders a long file through the companion: the host
# streams, so its peak must not grow with the file (goal: under 64 MB for one hour of 48 kHz
# stereo). Usage: bench/e2e/render_memory.sh [SECONDS] (default 3600). Needs a build
# (scripts/build.sh orvendal-host orvendal-qv orv_module), sox and /usr/bin/time.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
seconds=${1:-3600}
# shellcheck source=companion_session.sh
source "$root/bench/e2e/companion_session.sh"

sox -n -r 48000 -b 16 -c 2 "$work/long.wav" synth "$seconds" pinknoise vol 0.3
start_companion
/usr/bin/time -v "$build/apps/orvendal-host" render "$work/long.wav" "$work/out.wav" \
    --tool 1:0 --window 4096 2>"$work/time.txt"
peak=$(awk -F': ' '/Maximum resident/ {print $2}' "$work/time.txt")
elapsed=$(awk -F': ' '/Elapsed/ {print $2}' "$work/time.txt")
echo "render of ${seconds} s of 48 kHz stereo: host peak memory $((peak / 1024)) MB, wall time $elapsed"
[[ $peak -lt $((64 * 1024)) ]]
