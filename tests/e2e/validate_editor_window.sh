#!/bin/sh
# The validator's editor check on a virtual display: it must pass, and it must have opened
# the editor in real X11 windows (not fallen back to the offscreen path alone).
# Usage: validate_editor_window.sh ORVENDAL_HOST BUNDLE EVIDENCE_DIR
output=$(xvfb-run -a -s "-screen 0 1600x1200x24" "$1" validate --module "$2" --only editor \
    --evidence "$3" 2>&1)
status=$?
printf '%s\n' "$output"
printf '%s\n' "$output" | grep -q "every other one in an X11 window" || {
    echo "validate_editor_window: the check never opened an X11 window" >&2
    exit 1
}
exit $status
