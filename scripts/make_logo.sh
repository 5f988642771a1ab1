#!/usr/bin/env bash
# Regenerates resources/Brenlow_Logo_grey183-white_W80.png with make_logo.cpp (Cairo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
c++ -std=c++17 -O2 -Wall -Wextra "$root/scripts/make_logo.cpp" -o "$work/make_logo" \
    $(pkg-config --cflags --libs cairo)
"$work/make_logo" "$root/resources/Brenlow_Logo_grey183-white_W80.png"
