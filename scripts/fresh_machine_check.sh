#!/usr/bin/env bash
# Proves the README's two commands on a fresh Debian 12: makes a minimal bookworm root with
# debootstrap, copies a clean clone of this commit and ../shared into it side by side, runs
# scripts/setup.sh there with network, then ./scripts/demo.sh and ./scripts/test.sh each in
# a clean environment and a network namespace of its own. Run as root; exits non-zero when
# either command fails or the package registry cannot be reached.
#
# Only the minbase tarball and the downloaded .deb files are cached, in $FRESH_ROOT_CACHE
# (default /var/cache/orvendal-fresh-root); every run installs its packages afresh.
# FRESH_ROOT_MIRROR overrides the mirror read from apt's sources; SHARED_DIR the ../shared
# folder. Arguments after the script name pass to ./scripts/test.sh (e.g. -R editor).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
self="$repo/scripts/fresh_machine_check.sh"
suite=bookworm
cache=${FRESH_ROOT_CACHE:-/var/cache/orvendal-fresh-root}
tarball="$cache/minbase-$suite.tgz"
clean_env=(env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)

say() { echo "fresh-root: $*"; }
fail() { echo "fresh-root: FAILED: $*" >&2; exit 1; }
minutes() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }

# The first Debian archive apt is configured with for this suite, in one-line or deb822 form.
apt_mirror() {
    local m
    m=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed 's/#.*//; s/\[[^]]*\]//' | awk -v s="$suite" '$1 == "deb" && $3 == s { print $2; exit }')
    [[ -n "$m" ]] || m=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | sed 's/#.*//' |
        awk -v s="$suite" 'BEGIN { RS = ""; FS = "\n" }
            { uri = ""; hit = 0
              for (i = 1; i <= NF; i++) {
                  if ($i ~ /^URIs:/) { split($i, u, /[ \t]+/); uri = u[2] }
                  if ($i ~ /^Suites:/) { n = split($i, w, /[ \t]+/); for (j = 2; j <= n; j++) if (w[j] == s) hit = 1 }
              }
              if (hit && uri != "") { print uri; exit } }')
    echo "${m%/}"
}

# ---- inside the mount and process namespace: make the root, run the commands ----
inside() {
    local root=$1 mirror=$2
    shift 2
    local t
    mount --make-rprivate /

    t=$SECONDS
    if [[ ! -s "$tarball" ]]; then
        say "no cached minbase tarball: downloading $suite minbase from $mirror into $tarball"
        local scratch
        scratch=$(mktemp -d /var/tmp/orvendal-minbase.XXXXXX)
        debootstrap --variant=minbase --make-tarball="$tarball.part" "$suite" "$scratch" "$mirror" \
            >"$cache/make-tarball.log" 2>&1 ||
            { tail -n 5 "$cache/make-tarball.log" >&2; rm -rf --one-file-system "$scratch"; fail "debootstrap --make-tarball"; }
        rm -rf --one-file-system "$scratch"
        mv "$tarball.part" "$tarball"
    fi
    say "debootstrap --variant=minbase $suite from $tarball into $root"
    debootstrap --variant=minbase --unpack-tarball="$tarball" "$suite" "$root" "$mirror" \
        >"$root.debootstrap.log" 2>&1 ||
        { tail -n 5 "$root.debootstrap.log" >&2; fail "debootstrap --unpack-tarball"; }
    echo "127.0.0.1 localhost" >"$root/etc/hosts"
    say "minbase root ready in $(minutes $((SECONDS - t)))"

    say "copying a clean clone of $(git -C "$repo" rev-parse --short HEAD) to /src/main and $shared to /src/shared"
    mkdir -p "$root/src"
    git clone -q --no-checkout "$repo" "$root/src/main"
    git -C "$root/src/main" checkout -q --detach "$(git -C "$repo" rev-parse HEAD)"
    cp -a "$shared/." "$root/src/shared"

    mount --bind /proc "$root/proc"
    mount --bind /sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs tmpfs "$root/tmp"
    mount --bind "$cache/archives" "$root/var/cache/apt/archives"

    t=$SECONDS
    say "scripts/setup.sh inside the root, with network"
    "${clean_env[@]}" chroot "$root" /src/main/scripts/setup.sh || fail "scripts/setup.sh inside the root"
    # Keeps the .deb cache to what the mirror still serves.
    chroot "$root" apt-get autoclean -qq >/dev/null || true
    umount "$root/var/cache/apt/archives"
    say "set-up done in $(minutes $((SECONDS - t)))"

    local status=0 demo_rc test_rc demo_time test_time
    t=$SECONDS
    say "running ./scripts/demo.sh (own network namespace, clean environment)"
    set +e
    unshare -n sh -c 'ip link set lo up && exec "$@"' sh \
        "${clean_env[@]}" chroot "$root" /bin/bash -c 'cd /src/main && ./scripts/demo.sh' 2>&1 |
        tee "$root.demo.log"
    demo_rc=${PIPESTATUS[0]}
    set -e
    demo_time=$((SECONDS - t))

    t=$SECONDS
    say "running ./scripts/test.sh $* (own network namespace, clean environment)"
    set +e
    unshare -n sh -c 'ip link set lo up && exec "$@"' sh \
        "${clean_env[@]}" chroot "$root" /bin/bash -c 'cd /src/main && ./scripts/test.sh "$@"' bash "$@" 2>&1 |
        tee "$root.test.log"
    test_rc=${PIPESTATUS[0]}
    set -e
    test_time=$((SECONDS - t))

    echo "== fresh Debian 12 root: results"
    echo "./scripts/demo.sh: exit $demo_rc, $(grep -m1 '^status:' "$root.demo.log" || echo 'no status line'), $(minutes "$demo_time")"
    echo "./scripts/test.sh: exit $test_rc, $(grep -m1 'tests passed' "$root.test.log" || echo 'no ctest summary'), $(minutes "$test_time")"
    if [[ $test_rc -ne 0 ]]; then
        grep -A100 'The following tests FAILED' "$root.test.log" | grep -E '^\s+[0-9]+ - ' || true
    fi
    [[ $demo_rc -eq 0 ]] || { echo "fresh-root: FAILED: ./scripts/demo.sh exited $demo_rc" >&2; status=1; }
    [[ $test_rc -eq 0 ]] || { echo "fresh-root: FAILED: ./scripts/test.sh exited $test_rc" >&2; status=1; }
    return $status
}

# ---- outside: checks, the namespace, then removing the root ----
# All in one function, read whole before it runs: a run lasts long enough for the file to change.
main() {
    if [[ "${1:-}" == "--inside" ]]; then
        shift
        root=$1 mirror=$2 shared=$3
        shift 3
        inside "$root" "$mirror" "$@"
        exit $?
    fi

    [[ $(id -u) -eq 0 ]] || fail "run as root (debootstrap, chroot and namespaces need it)"
    shared=$(cd "${SHARED_DIR:-$repo/../shared}" 2>/dev/null && pwd) || fail "no ../shared beside the checkout (set SHARED_DIR)"
    "$repo/scripts/setup.sh"
    mirror=${FRESH_ROOT_MIRROR:-$(apt_mirror)}
    [[ -n "$mirror" ]] || fail "no Debian $suite mirror in /etc/apt/sources.list*"
    # No registry, no check: a skipped run would prove nothing.
    wget -q -T 30 -t 2 -O /dev/null "$mirror/dists/$suite/Release" ||
        fail "cannot reach Debian's package registry at $mirror"
    if [[ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]]; then
        say "note: uncommitted changes are not tested; the root gets commit $(git -C "$repo" rev-parse --short HEAD)"
    fi

    mkdir -p "$cache/archives/partial"
    root=$(mktemp -d /var/tmp/orvendal-fresh-root.XXXXXX)
    # It becomes the root's "/": mktemp's 0700 would shut out apt's _apt user and every other.
    chmod 755 "$root"
    remove_root() {
        # The namespace's mounts ended with it; anything still mounted below the root is left alone.
        if findmnt -rn -o TARGET | grep -q "^$root/"; then
            echo "fresh-root: mounts remain under $root; not removing it:" >&2
            findmnt -rn -o TARGET | grep "^$root/" >&2
            return 1
        fi
        rm -rf --one-file-system "$root" "$root".*.log
    }
    trap remove_root EXIT

    start=$SECONDS
    say "mirror $mirror, cache $cache, root $root"
    set +e
    unshare -m -p -f --mount-proc "$self" --inside "$root" "$mirror" "$shared" "$@"
    rc=$?
    set -e
    say "step took $(minutes $((SECONDS - start)))"
    exit $rc
}

main "$@"; exit $?
