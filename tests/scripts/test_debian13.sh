#!/usr/bin/env bash
# scripts/debian13.sh in a scratch clone, against a root of a few of this
# machine's programs whose apt-get only logs: what a run sees, what it leaves,
# and the updates and the making that must fail. Needs root (mounts).
#   tests/scripts/test_debian13.sh scripts/debian13.sh
set -uo pipefail
if [[ $(id -u) -ne 0 ]] || ! unshare --mount --pid --fork true 2>/dev/null; then
    echo "SKIP: needs root and namespaces"
    exit 77
fi
scratch=$(mktemp -d)
# Never across a mount: one left behind would lead into the clone or /dev.
trap 'rm -rf --one-file-system "$scratch"' EXIT
status=0
fail() {
    echo "FAIL $*"
    status=1
}

clone=$scratch/clone
mkdir -p "$clone/scripts"
cp "$1" "$(dirname "$1")/setup.sh" "$clone/scripts/"
export XDG_CACHE_HOME=$scratch/cache
root=$XDG_CACHE_HOME/starbond/debian13
mkdir -p "$root"/{usr/bin,etc,root}
ln -s usr/bin "$root/bin"
for p in bash dash env sleep; do
    for f in /usr/bin/$p $(ldd /usr/bin/$p | grep -o '/[^ ]*'); do cp --parents -L "$f" "$root"; done
done
ln -s dash "$root/usr/bin/sh"
cat >"$root/usr/bin/apt-get" <<'EOF'
#!/bin/sh
echo "$*" >>/root/apt.log
[ "$1" != update ] || [ ! -e /root/offline ]
EOF
chmod +x "$root/usr/bin/apt-get"
debian13=$clone/scripts/debian13.sh
mounted() { grep -c " $scratch" /proc/mounts; }

# name | command | expected status | expected in build/seen
while IFS='|' read -r name cmd expected seen; do
    rm -f "$root/root/apt.log" "$clone/build-debian13/seen"
    HOST_ONLY=1 STARBOND_KEPT=kept "$debian13" run bash -c "$cmd" >/dev/null 2>&1
    got=$?
    [[ $got == "$expected" ]] || fail "$name: status $got, expected $expected"
    [[ $(cat "$clone/build-debian13/seen" 2>/dev/null) == "${seen//CLONE/$clone}" ]] ||
        fail "$name: saw '$(cat "$clone/build-debian13/seen" 2>/dev/null)'"
    [[ $(paste -sd';' "$root/root/apt.log" 2>/dev/null) == "update -qq --error-on=any;upgrade -y -qq" ]] ||
        fail "$name: the root was not updated first: $(cat "$root/root/apt.log" 2>/dev/null)"
    [[ $(mounted) == 0 ]] || fail "$name: mounts left: $(grep " $scratch" /proc/mounts)"
done <<'EOF'
at the clone, build/ its own, a clean environment|echo "$PWD ${HOST_ONLY-none} $STARBOND_KEPT" >build/seen|0|CLONE none kept
the command's failure is the run's|echo failed >build/seen; exit 7|7|failed
a process it leaves is ended|sleep 3217 & echo left >build/seen|0|left
EOF
pgrep -fx 'sleep 3217' >/dev/null && fail "a process outlived its run"
[[ -e $clone/build && -z $(ls -A "$clone/build") ]] || fail "the clone's own build/ was written"

# An update that cannot be had fails the run, with a message, before the command.
touch "$root/root/offline"
rm -f "$clone/build-debian13/seen"
out=$("$debian13" run bash -c ': >build/seen' 2>&1) && fail "a run passed on a root that could not be updated"
[[ $out == *"could not update the Debian 13 root"* ]] || fail "no message for a failed update: $out"
[[ ! -e $clone/build-debian13/seen ]] || fail "the command ran after a failed update"

# No root and no way to the archive: no root, and a message.
if command -v mmdebstrap >/dev/null; then
    rm -rf --one-file-system "$root"
    out=$(unshare --net "$debian13" 2>&1) && fail "made a root without the archive"
    [[ $out == *"could not make the Debian 13 root"* ]] || fail "no message for a root not made: $out"
    [[ ! -e $root && ! -e $root.new ]] || fail "a root was left after failing to make it"
fi
exit $status
