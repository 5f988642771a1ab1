#!/usr/bin/env bash
# Compile-checks every Objective-C++ file of platform/macos/ on Linux against GNUstep's
# Foundation and AppKit headers, so a slip in the macOS half shows before anyone builds on a
# Mac. Warnings in our files are errors; GNUstep's own headers are system headers.
# * A file that includes a framework GNUstep does not provide (Core Foundation's bundles)
#   cannot be checked here: it is named with the header it needs and does not fail the run.
# * Methods macOS has and GNUstep lacks are declared in macos_check/GNUstepGaps.h as Apple
#   declares them; a file that calls one is checked against that declaration, and says so.
# Exit code: 0 when every file that could be checked compiles, 1 otherwise, 2 without GNUstep.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
gaps="$root/scripts/macos_check/GNUstepGaps.h"

command -v gnustep-config >/dev/null ||
    { echo "macos check: gnustep-config is missing (run scripts/setup.sh)" >&2; exit 2; }
cxx=${OBJCXX:-g++}
# GNUstep's headers as system headers (their warnings are not ours); no dependency files.
read -r -a objc_flags <<<"$(gnustep-config --objc-flags |
    sed 's/-MMD//; s/-MP//; s/-Wall//; s/-I\//-isystem \//g')"
flags=(-x objective-c++ -std=c++17 -Wall -Wextra -Werror "${objc_flags[@]}" -I"$root/platform")

# True when the framework header resolves against GNUstep's headers.
header_available() {
    printf '#import <%s>\n' "$1" | "$cxx" "${flags[@]}" -E - -o /dev/null 2>/dev/null
}

# The framework headers a file includes, one a line.
framework_headers() {
    sed -n 's/^[[:space:]]*#[[:space:]]*\(import\|include\)[[:space:]]*<\([A-Za-z]*\/[^>]*\)>.*/\2/p' "$1"
}

# The gaps a file calls, as "selector (why)", one a line.
gaps_used() {
    local selector why
    while read -r selector why; do
        grep -q "${selector%%:*}:" "$1" && echo "$selector $why"
    done < <(sed -n 's|^// gap: ||p' "$gaps")
    return 0
}

checked=0 skipped=0 failed=0
for file in "$root"/platform/macos/*.mm; do
    name=${file#"$root"/}
    missing=""
    while read -r header; do
        header_available "$header" || { missing=$header; break; }
    done < <(framework_headers "$file")
    if [[ -n "$missing" ]]; then
        echo "NOT CHECKED $name: GNUstep has no <$missing>"
        skipped=$((skipped + 1))
        continue
    fi
    if ! "$cxx" "${flags[@]}" -fsyntax-only -include "$gaps" "$file"; then
        echo "FAIL $name"
        failed=$((failed + 1))
        continue
    fi
    echo "OK $name"
    while read -r gap; do
        [[ -n "$gap" ]] && echo "   against the macOS declaration of $gap"
    done < <(gaps_used "$file")
    checked=$((checked + 1))
done
echo "macos check: $checked compiled, $failed failed, $skipped not checked"
[[ $failed -eq 0 ]]
