#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need: every file in
# setup/packages.d lists some, one a line. With --bench, also those that only the benchmarks
# need (setup/bench-packages.d). Only what is missing is installed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

lists=("$root"/setup/packages.d/*.txt)
[[ "${1:-}" == "--bench" ]] && lists+=("$root"/setup/bench-packages.d/*.txt)
wanted=$(cat "${lists[@]}" | sed 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
missing=()
for pkg in $wanted; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "setup: run as root to install ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
