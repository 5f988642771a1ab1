# Sourced by the end-to-end benchmarks, after they set $build: a scratch folder $work,
# removed on exit, whose home/ is HOME (so the interface files stay in it), and
# start_companion, which starts the built companion on port 51121, waits until it listens
# and stops it on exit.
# shellcheck source=../../scripts/scratch_folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/scratch_folder.sh"
export HOME=$work/home
mkdir -p "$HOME"
unset XDG_CONFIG_HOME

companion_listening() { grep -q ':C7B1 .* 0A ' /proc/net/tcp; } # 51121 = 0xC7B1, 0A = listening

start_companion() {
    if companion_listening; then
        echo "something already serves port 51121" >&2
        exit 1
    fi
    "$build/companion/orvendal-qv" >/dev/null 2>&1 &
    companion=$!
    for _ in $(seq 100); do
        companion_listening && return
        sleep 0.1
    done
    echo "the companion did not start" >&2
    exit 1
}
