#!/usr/bin/env bash
# A Debian 13 (trixie) root in the user's cache, made once and brought up to
# date on every later call, for what needs Debian 13's tools on another
# release: the Windows stage (Qt 6.8 for Windows, Debian 13's mingw-w64 and
# Wine 10).
#   scripts/debian13.sh                  make the root, or update it; prints its folder
#   scripts/debian13.sh run CMD [ARG...] the same, then CMD in the root, as root, from
#                                        this clone (at its own path there); with no
#                                        CMD, a shell
# In the root the clone's build/ is build-debian13/, so that the trees of the
# two releases never meet; build-win/ belongs to the root alone. Nothing that
# is mounted for a run is seen outside it, and it is all gone when it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
clone=$PWD
cache=${XDG_CACHE_HOME:-$HOME/.cache}/starbond
root=$cache/debian13

if [[ $(id -u) -ne 0 ]]; then
    exec sudo --preserve-env=XDG_CACHE_HOME,CI,TERM "$0" "$@"
fi

# In the mount and process namespace of one run: the mounts, the command,
# then every process it left (a wineserver, a bus) ended and the mounts
# undone, whatever the command's end.
if [[ ${1:-} == --inside ]]; then
    shift
    mounted=()
    bind() {
        [[ ! -d $1 ]] || mkdir -p "$2"
        mount "${@:3}" --bind "$1" "$2"
        mounted=("$2" "${mounted[@]}")
    }
    fresh() {
        mkdir -p "$2"
        mount -t "$1" -o "$3" "$1" "$2"
        mounted=("$2" "${mounted[@]}")
    }
    # Whether a process of this namespace lives on, the first and zombies
    # aside (read without a fork, which would count itself).
    alive() {
        local f stat state
        for f in "$root"/proc/[0-9]*/stat; do
            read -r stat <"$f" 2>/dev/null || continue
            state=${stat##*) }
            [[ ${stat%% *} == 1 || ${state%% *} == Z ]] || return 0
        done
        return 1
    }
    leave() {
        local status=$?
        # Only as the first process of its own namespace: anywhere else -1
        # would be every process of the machine.
        if (($$ == 1)); then
            kill -KILL -1 2>/dev/null || true
            # They die in their own time, and until then hold the mounts.
            for _ in {1..50}; do
                alive || break
                sleep 0.1
            done
        fi
        # One still held after that is let go lazily.
        for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || umount -l "$m"; done
        exit $status
    }
    trap leave EXIT
    fresh proc "$root/proc" nosuid,nodev,noexec
    bind /sys "$root/sys" -o ro
    bind /dev "$root/dev"
    bind /dev/pts "$root/dev/pts"
    bind /dev/shm "$root/dev/shm"
    fresh tmpfs "$root/tmp" mode=1777,nosuid,nodev
    fresh tmpfs "$root/run" mode=0755,nosuid,nodev
    mkdir -p "$root/run/lock"
    if [[ -f /etc/resolv.conf ]]; then
        [[ -f $root/etc/resolv.conf && ! -L $root/etc/resolv.conf ]] || {
            rm -f "$root/etc/resolv.conf"
            : >"$root/etc/resolv.conf"
        }
        bind /etc/resolv.conf "$root/etc/resolv.conf"
    fi
    mkdir -p "$clone/build" "$clone/build-debian13"
    bind "$clone" "$root$clone"
    bind "$clone/build-debian13" "$root$clone/build"

    # A clean environment but for the locale: the host's PATH, display or Qt
    # settings mean nothing in the root.
    keep=(HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
    for v in TERM CI LANG LANGUAGE $(compgen -v LC_ || true) $(compgen -v STARBOND_ || true); do
        [[ -z ${!v+set} ]] || keep+=("$v=${!v}")
    done
    (($#)) || set -- bash -l
    chroot "$root" /usr/bin/env -i "${keep[@]}" /bin/bash -c 'cd "$1" && shift && exec "$@"' - "$clone" "$@"
    exit
fi

# A run in its own mount and process namespace.
inside() { unshare --mount --pid --fork --kill-child --propagation private -- "$0" --inside "$@"; }

mkdir -p "$cache"
exec {lock}>"$cache/debian13.lock"
flock "$lock"

if [[ ! -x $root/usr/bin/apt-get ]]; then
    scripts/setup.sh debian13
    start=$SECONDS
    log=$cache/debian13.log
    echo "Making the Debian 13 root in $root (a few minutes, once; log in $log)" >&2
    rm -rf "$root.new"
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    # The root keeps its package lists and takes nothing merely recommended;
    # once made, it keeps no package it has installed (mmdebstrap itself
    # installs from apt's cache).
    if ! unshare --mount --propagation private -- mmdebstrap --mode=root --variant=minbase \
        --aptopt='APT::Install-Recommends "false"' --aptopt='Acquire::Languages "none"' \
        --customize-hook='echo "APT::Keep-Downloaded-Packages \"false\";" >"$1/etc/apt/apt.conf.d/50starbond"' \
        --skip=cleanup/apt/lists trixie "$root.new" \
        "deb [signed-by=$keyring] http://deb.debian.org/debian trixie main" \
        "deb [signed-by=$keyring] http://deb.debian.org/debian trixie-updates main" \
        "deb [signed-by=$keyring] http://deb.debian.org/debian-security trixie-security main" >"$log" 2>&1; then
        grep '^E:' "$log" | tail -15 >&2 || tail -15 "$log" >&2
        rm -rf "$root.new"
        echo "debian13: could not make the Debian 13 root (is deb.debian.org reachable?); log in $log" >&2
        exit 1
    fi
    mv "$root.new" "$root"
    echo "Debian 13 root made in $((SECONDS - start)) s" >&2
else
    # Quick when nothing changed: the lists are checked, nothing is fetched.
    # A list that cannot be fetched fails the call; an old root would pass
    # what the archive no longer holds.
    inside /bin/sh -c 'export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq --error-on=any || {
            echo "debian13: could not update the Debian 13 root (is deb.debian.org reachable?)" >&2
            exit 1
        }
        apt-get upgrade -y -qq >/dev/null'

fi
flock -u "$lock"

if [[ ${1:-} == run ]]; then
    shift
    inside "$@"
else
    echo "$root"
fi
