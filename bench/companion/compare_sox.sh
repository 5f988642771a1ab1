#!/usr/bin/env bash
# Runs each orvendal-qv tool over the same minutes of 48 kHz mono as its nearest sox
# equivalent, side by side, and prints times real time and the ratio to sox. CPU time
# (user + system) is the fair measure on a shared machine: both programs run on one core.
# Then processes a long file with every tool on and reports the peak memory.
#
#   bench/companion/compare_sox.sh [build folder]      (default: build)
#   MINUTES=10 LONG_MINUTES=60 bench/companion/compare_sox.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
qv=$build/companion/orvendal-qv
minutes=${MINUTES:-10}
long_minutes=${LONG_MINUTES:-60}
[[ -x "$qv" ]] || { echo "build orvendal-qv first: scripts/build.sh --target orvendal-qv" >&2; exit 1; }
command -v sox >/dev/null || { echo "sox is missing: run scripts/setup.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/Orvendal_interface_0.wav

# A 1 kHz tone with 50 Hz hum and white noise, as 32-bit float mono.
make_signal() { # seconds output
    sox -n -r 48000 -c 3 -b 32 -e floating-point "$work/three.wav" synth "$1" sine 1000 sine 50 whitenoise
    sox "$work/three.wav" -c 1 -b 32 -e floating-point "$2" remix 1v0.3,2v0.1,3v0.03
    rm "$work/three.wav"
}

# Runs a command under GNU time; prints "wall cpu peak-KB".
measure() {
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
        { cat "$work/stderr" >&2; exit 1; }
    awk '{ printf "%s %.3f %s\n", $1, $2 + $3, $4 }' "$work/time"
}

request() { # tools presets low high
    echo "{request:\"process\", tools:[$1], presets: [$2],rangeLow: $3, rangeHigh: $4, input: \"$file\"}"
}

run_qv() { # request
    cp "$work/input.wav" "$file"
    measure "$qv" --request "$1"
}

run_sox() { # effects...
    measure sox "$work/input.wav" -b 32 -e floating-point "$work/sox.wav" "$@"
}

echo "signal: $minutes min of 48 kHz mono (1 kHz tone, 50 Hz hum, white noise)"
make_signal $((minutes * 60)) "$work/input.wav"
seconds=$((minutes * 60))

notches=()
for hz in $(seq 50 50 1000); do notches+=(bandreject "$hz" 4h); done
sox "$work/input.wav" -n trim 0 2 noiseprof "$work/noise.prof" 2>/dev/null

printf '\n%-34s %9s %8s %9s %8s %9s  %s\n' tool "qv cpu s" "qv xRT" "sox cpu s" "sox xRT" "sox/qv" "sox equivalent"
row() { # name qv-result sox-result sox-description
    read -r _ qcpu _ <<<"$2"
    read -r _ scpu _ <<<"$3"
    awk -v n="$1" -v q="$qcpu" -v s="$scpu" -v t="$seconds" -v d="$4" 'BEGIN {
        q = q < 0.001 ? 0.001 : q; s = s < 0.001 ? 0.001 : s;
        printf "%-34s %9.2f %8.0f %9.2f %8.0f %9.2f  %s\n", n, q, t / q, s, t / s, s / q, d }'
}

row "Gain +6 dB (full band)" "$(run_qv "$(request true 4 0 24000)")" \
    "$(run_sox gain 6)" "gain 6"
row "Gain +6 dB (300-3400 Hz)" "$(run_qv "$(request true 4 300 3400)")" \
    "$(run_sox sinc 300-3400 gain 6)" "sinc 300-3400 gain 6"
row "Normalize peak -1 dBFS" "$(run_qv "$(request false,true 0,0 0 24000)")" \
    "$(run_sox norm -1)" "norm -1"
row "Normalize -23 LUFS" "$(run_qv "$(request false,true 0,2 0 24000)")" \
    "$(run_sox norm -1)" "norm -1 (no loudness target in sox)"
row "Denoise medium (full band)" "$(run_qv "$(request false,false,true 0,0,1 0 24000)")" \
    "$(run_sox noisered "$work/noise.prof" 0.21)" "noisered 0.21 (profile made beforehand)"
row "De-hum 50 Hz (0-1000 Hz, tracked hum)" "$(run_qv "$(request false,false,false,true 0,0,0,0 0 1000)")" \
    "$(run_sox "${notches[@]}")" "bandreject 50..1000 step 50, 4h"
row "Band keep 300-3400 Hz" "$(run_qv "$(request false,false,false,false,true 0,0,0,0,0 300 3400)")" \
    "$(run_sox sinc 300-3400)" "sinc 300-3400"
row "Band remove 300-3400 Hz" "$(run_qv "$(request false,false,false,false,true 0,0,0,0,1 300 3400)")" \
    "$(run_sox sinc 3400-300)" "sinc 3400-300"

echo
echo "peak memory: $long_minutes min of 48 kHz mono, every tool on"
rm -f "$work/input.wav" "$work/sox.wav"
make_signal $((long_minutes * 60)) "$work/input.wav"
read -r wall cpu kb <<<"$(run_qv "$(request true,true,true,true,true 3,2,1,0,0 40 8000)")"
awk -v w="$wall" -v c="$cpu" -v k="$kb" -v t=$((long_minutes * 60)) 'BEGIN {
    printf "orvendal-qv: %.1f MB peak resident, %.1f s wall, %.1f s cpu (%.0f x real time)\n",
           k / 1024, w, c, t / c }'
