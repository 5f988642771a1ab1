# Sourced by scripts that start a companion of their own: a scratch folder $work and $companion,
# the pid of that companion once started, both cleaned up on exit so that neither outlives a
# failed run.
work=$(mktemp -d)
companion=""
cleanup() {
    [[ -n "$companion" ]] && kill "$companion" 2>/dev/null && wait "$companion" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
