#!/usr/bin/env bash
# The module's dynamic symbol table must hold exactly the seven entry points.
set -euo pipefail
module=$1
expected=$(printf '%s\n' ACFCanUnloadNow ACFGetClassFactory ACFGetSDKVersion ACFRegisterComponent \
    ACFRegisterPlugin ACFShutdown ACFStartup)
actual=$(nm -D --defined-only "$module" | awk '{print $NF}' | sort)
if [[ "$actual" != "$expected" ]]; then
    echo "exported symbols differ from the seven entry points:"
    diff <(echo "$expected") <(echo "$actual") || true
    exit 1
fi
echo "exports: the seven entry points"
