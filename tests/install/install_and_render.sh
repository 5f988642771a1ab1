#!/usr/bin/env bash
# Installs the build into a staged prefix (DESTDIR) and uses only what was installed, with the
# build tree off PATH: the installed orvendal-qv serves, the installed orvendal-host renders a
# file through the installed bundle it finds by itself and opens the editor headless against
# it, and the installed orvendal-measure checks the result. Needs the companion port 51121.
# Usage: install_and_render.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=/opt/orvendal-test
# shellcheck source=../../scripts/scratch_folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/scratch_folder.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/stage" cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log" >&2; fail "cmake --install"; }
root="$work/stage$prefix"
bundle="$root/lib/orvendal/Orvendal QV.aaxplugin"
for file in bin/orvendal-host bin/orvendal-qv bin/orvendal-measure \
    "lib/orvendal/Orvendal QV.aaxplugin/Contents/Info.plist" \
    "lib/orvendal/Orvendal QV.aaxplugin/Contents/x86_64-linux/Orvendal QV.so" \
    lib/systemd/user/orvendal-qv.socket lib/systemd/user/orvendal-qv.service \
    share/doc/orvendal-qv/README.md share/doc/orvendal-qv/copyright; do
    [[ -f "$root/$file" ]] || fail "not installed: $file"
done
ls "$bundle/Contents/Resources/"*.png >/dev/null || fail "no images in the bundle's Resources"
grep -qx "ExecStart=$prefix/bin/orvendal-qv" "$root/lib/systemd/user/orvendal-qv.service" ||
    fail "the service does not start the installed companion"
grep -qx "ListenStream=127.0.0.1:51121" "$root/lib/systemd/user/orvendal-qv.socket" ||
    fail "the socket unit does not listen where the plug-in connects"

# Nothing of the build tree from here on: PATH holds the installed programs and the system's.
export PATH="$root/bin:/usr/bin:/bin"
export HOME="$work/home"
mkdir -p "$HOME"
cd "$work"
[[ $(command -v orvendal-qv) == "$root/bin/orvendal-qv" ]] || fail "orvendal-qv is not the installed one"

orvendal-qv 2>"$work/companion.log" &
companion=$!
for _ in $(seq 200); do
    grep -q "listening on" "$work/companion.log" && break
    kill -0 "$companion" 2>/dev/null || fail "the installed companion ended: $(cat "$work/companion.log")"
    sleep 0.05
done
# A companion that cannot take the port (another one has it) says so in its log.
grep -q "listening on 127.0.0.1:51121" "$work/companion.log" ||
    fail "the installed companion does not listen: $(cat "$work/companion.log")"

# One second of 440 Hz at -6 dBFS through Gain -6 dB (tool 1, preset 1).
sox -n -r 48000 -c 1 -b 16 in.wav synth 1 sine 440 vol 0.5
orvendal-host render in.wav out.wav --tool 1:1 >render.log 2>&1 ||
    { cat render.log >&2; fail "render with the installed programs"; }
grep -q "^status: 5 " render.log || { cat render.log >&2; fail "the companion did not process the file"; }
orvendal-measure in.wav out.wav >measure.log
read -r peak_in peak_out < <(awk '$1 == "in.wav" { a = $2 } $1 == "out.wav" { b = $2 } END { print a, b }' measure.log)
awk -v a="$peak_in" -v b="$peak_out" 'BEGIN { d = a - b - 6; exit !(d > -0.2 && d < 0.2) }' ||
    { cat measure.log >&2; fail "the render is not 6 dB down: $peak_in -> $peak_out dBFS"; }

# The editor against the installed bundle, found by default, with the companion's tool rows
# (taller than the 240-pixel window shown without a companion).
env -u DISPLAY orvendal-host editor --png editor.png >editor.log 2>&1 || { cat editor.log >&2; fail "editor"; }
grep -q "Par1" editor.log || { cat editor.log >&2; fail "the editor printed no parameters"; }
size=$(file -b editor.png)
[[ $size =~ ^PNG\ image\ data,\ ([0-9]+)\ x\ ([0-9]+) ]] || fail "editor.png is no PNG: $size"
((BASH_REMATCH[2] > 240)) || fail "the editor shows no companion tools: $size"

# --module still overrides the default: a missing bundle is refused, the installed one works.
if orvendal-host info --module "$work/none.aaxplugin" >/dev/null 2>&1; then fail "--module was ignored"; fi
orvendal-host info --module "$bundle" >/dev/null || fail "info --module on the installed bundle"

echo "installed under $prefix (staged): render $peak_in -> $peak_out dBFS, editor $size"
