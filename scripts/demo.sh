#!/usr/bin/env bash
# The main job: sets up, builds, starts the companion orvendal-qv in the background, makes a
# demo signal (speech-like noise with 50 Hz hum), renders it through the plug-in with De-hum
# 50 Hz, Denoise medium and Normalize -16 LUFS, and prints the status and a before/after
# summary. The input and the result are left in demo/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
demo=$root/demo

"$root/scripts/setup.sh"
# Only the programs and the module are built; the configure leaves the test options as they
# are, so a later scripts/test.sh in the same folder still gets the fuzz entries.
"$root/scripts/build.sh" orvendal-host orvendal-qv orvendal-measure orv_module
# As installed programs would be: on PATH, so the plug-in finds the companion by name too.
export PATH="$build/apps:$build/companion:$PATH"

# Companion tools and their presets, as orvendal-qv lists them: tool 2 Normalize (preset 3:
# -16 LUFS), tool 3 Denoise (preset 1: Medium), tool 4 De-hum (preset 0: 50 Hz).
tools=(--tool 4:0 --tool 3:1 --tool 2:3)

port_in_use() { grep -q ':C7B1 .* 0A ' /proc/net/tcp 2>/dev/null; }

companion=""
stop_companion() {
    if [[ -n "$companion" ]]; then
        kill "$companion" 2>/dev/null || true
        wait "$companion" 2>/dev/null || true
    fi
}
trap stop_companion EXIT

if port_in_use; then
    echo "== a companion already listens on port 51121; using it"
else
    echo "== starting orvendal-qv"
    orvendal-qv &
    companion=$!
    for _ in $(seq 50); do
        port_in_use && break
        sleep 0.1
    done
    port_in_use || { echo "orvendal-qv did not start" >&2; exit 1; }
fi

echo "== making the demo signal: 6 s of speech-like noise with 50 Hz hum"
mkdir -p "$demo"
scratch=$(mktemp -d)
trap 'stop_companion; rm -rf "$scratch"' EXIT
# -R: the same noise and dither on every run, so the figures below repeat.
sox -R -n -r 48000 -c 1 "$scratch/speech.wav" synth 6 pinknoise sinc 200-3800 tremolo 3.5 90 gain -n -16
sox -R -n -r 48000 -c 1 "$scratch/hum.wav" synth 6 sine 50 gain -22
sox -R -m -v 1 "$scratch/speech.wav" -v 1 "$scratch/hum.wav" -b 16 "$demo/input.wav"

echo "== rendering through the plug-in: De-hum 50 Hz, Denoise medium, Normalize -16 LUFS"
set +e
orvendal-host render "$demo/input.wav" "$demo/result.wav" "${tools[@]}"
status=$?
set -e

echo "== before and after"
orvendal-measure "$demo/input.wav" "$demo/result.wav"
echo "input and result: $demo/input.wav, $demo/result.wav"
exit $status
