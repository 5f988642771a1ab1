#!/usr/bin/env bash
# Wall time of orvendal-host render over a stereo file with Denoise (medium) on, with the
# channels rendered one after the other (--jobs 1) and at once (the default: the machine's
# cores), in alternating runs A B A B ..., so a change in the machine's load hits both alike.
# Prints each median and the ratio default / --jobs 1 (goal on a 2-core machine: <= 0.6).
# Usage: bench/e2e/render_jobs.sh [PAIRS] [SECONDS] (defaults 3 and 600). Needs a build
# (scripts/build.sh orvendal-host orvendal-qv orv_module; BUILD_DIR picks it) and sox. Uses
# the companion port 51121: run it under the port's lock when others share the machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
pairs=${1:-3}
seconds=${2:-600}
source "$root/bench/e2e/companion_session.sh"

# Noise with a tone over it: Denoise finds its noise profile in the quiet stretches.
sox -n -r 48000 -b 16 -c 2 "$work/in.wav" synth "$seconds" pinknoise vol 0.1 \
    synth "$seconds" sine mix 440 vol 0.5 tremolo 0.5 90

start_companion

# One timed render; its wall time in seconds goes to the file named by $2.
render() {
    local start end
    start=$(date +%s.%N)
    "$build/apps/orvendal-host" render "$work/in.wav" "$work/out.wav" --tool 3:1 "${@:3}" \
        >"$work/render.log" 2>&1 || { cat "$work/render.log" >&2; exit 1; }
    end=$(date +%s.%N)
    grep -q '^status: 5 ' "$work/render.log" || { cat "$work/render.log" >&2; exit 1; }
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }' >>"$2"
    echo "$1: $(tail -1 "$2") s" >&2
}
median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for pair in $(seq "$pairs"); do
    render "pair $pair, --jobs 1" "$work/serial.txt" --jobs 1
    render "pair $pair, default" "$work/default.txt"
done
serial=$(median "$work/serial.txt")
parallel=$(median "$work/default.txt")
printf 'render of %s s of 48 kHz stereo, Denoise medium, %s pairs on %s cores:\n' \
    "$seconds" "$pairs" "$(nproc)"
printf '  --jobs 1 median %.2f s, default median %.2f s, ratio default / --jobs 1 = %.2f\n' \
    "$serial" "$parallel" "$(awk -v a="$parallel" -v b="$serial" 'BEGIN { print a / b }')"
