#!/usr/bin/env bash
# Builds the Debian package of a built tree with CPack into OUT_DIR and holds it to what it
# must be: the programs, the bundle, the user units, the manual pages and the docs, nothing
# else; its library dependencies computed; lintian without errors. Skipped (exit 77) where
# lintian is missing, after every other check.
# Usage: package_check.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$out/orvendal-qv_${version}_amd64.deb"
[[ -f "$deb" ]] || fail "no $deb: $(ls "$out")"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^[^.]*\.\//, "/"); print }' | sort >"$out/files.txt"
bundle="/usr/lib/orvendal/Orvendal QV.aaxplugin/Contents"
for file in /usr/bin/orvendal-host /usr/bin/orvendal-qv /usr/bin/orvendal-measure \
    "$bundle/Info.plist" "$bundle/x86_64-linux/Orvendal QV.so" \
    /usr/lib/systemd/user/orvendal-qv.socket /usr/lib/systemd/user/orvendal-qv.service \
    /usr/share/man/man1/orvendal-host.1.gz /usr/share/man/man1/orvendal-qv.1.gz \
    /usr/share/man/man1/orvendal-measure.1.gz /usr/share/doc/orvendal-qv/README.md \
    /usr/share/doc/orvendal-qv/copyright /usr/share/doc/orvendal-qv/changelog.gz; do
    grep -qxF "$file" "$out/files.txt" || fail "the package lacks $file"
done
grep -q "^$bundle/Resources/.*\.png$" "$out/files.txt" || fail "the package lacks the bundle's images"
stray=$(grep -v -e '^/usr/bin/orvendal-' -e "^$bundle/" -e '^/usr/lib/systemd/user/orvendal-qv\.' \
    -e '^/usr/share/man/man1/orvendal-' -e '^/usr/share/doc/orvendal-qv/' "$out/files.txt" || true)
[[ -z "$stray" ]] || fail "the package holds files it should not: $stray"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libsndfile1 libsystemd0 libcairo2; do
    grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[[ -n "$(dpkg-deb -f "$deb" Description)" ]] || fail "no description"
echo "package: $deb, $(stat -c %s "$deb") bytes, $(wc -l <"$out/files.txt") files"
echo "Depends: $depends"

if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is missing (scripts/setup.sh installs it); the package was not linted"
    exit 77
fi
# Run as root, lintian says so on stderr; that is no finding.
lintian --fail-on error "$deb" >"$out/lintian.txt" 2>&1 || { cat "$out/lintian.txt" >&2; fail "lintian reports errors"; }
echo "lintian: $(grep -c '^E:' "$out/lintian.txt" || true) errors, $(grep -c '^W:' "$out/lintian.txt" || true) warnings"
cat "$out/lintian.txt"
