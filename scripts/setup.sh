#!/usr/bin/env bash
# Installs the Debian packages of the named needs, without what they merely
# recommend; quiet and quick when everything is there already.
#   scripts/setup.sh build tests      # what scripts/test.sh's first stage needs
#   scripts/setup.sh --list build     # the packages of a need, one a line
set -euo pipefail

# Each script asks for what it runs: scripts/run.sh for build alone.
packages() {
    case $1 in
    # The compiler, CMake and Qt (its -dev package brings the OpenGL headers
    # its CMake files look for, and the platform plugins), the compiler cache,
    # the faces that stand in for Verdana and MS Sans Serif, and the opener of
    # web pages.
    build) echo cmake ninja-build g++ ccache qt6-base-dev fonts-dejavu-core fonts-liberation xdg-utils ;;
    # The CTest suite, also under the sanitizers: the X harness's headers, the
    # virtual X server and what xvfb-run and the tests call on it, and Python
    # for the screen reader's view over a private D-Bus.
    tests)
        echo libx11-dev libxdamage-dev libxtst-dev xvfb xauth x11-xserver-utils python3 \
            dbus at-spi2-core python3-gi gir1.2-atspi-2.0
        ;;
    # cpack's shared-library dependencies (dpkg-shlibdeps, which reads file
    # types with file), and the validators the package test runs.
    package) echo dpkg-dev file ;;
    package-checks) echo lintian appstream desktop-file-utils ;;
    # clang, its libFuzzer and sanitizer runtimes, and llvm-symbolizer for
    # readable reports. The runtimes' unversioned name follows the release's
    # own clang (14 on Debian 12, 19 on Debian 13).
    fuzz) echo clang libclang-rt-dev llvm ;;
    # KDE's Qt checker.
    clazy) echo clazy ;;
    # The 64-bit POSIX-thread mingw-w64 compiler alone, NSIS, and dpkg-source,
    # with which apt-get source unpacks the source of Qt for Windows.
    windows) echo g++-mingw-w64-x86-64-posix nsis dpkg-dev ;;
    # Wine, and the virtual X server the Windows programs and the installer run
    # on (xwininfo watches for their windows).
    wine) echo wine wine64 xvfb xauth x11-utils ;;
    # What makes the Debian 13 root (scripts/debian13.sh) on another release;
    # apt's own gpgv checks the archive against the keys named in its lists.
    debian13) echo mmdebstrap ;;
    *)
        echo "setup: no such need: $1 (build, tests, package, package-checks, fuzz, clazy, windows, wine, debian13)" >&2
        return 1
        ;;
    esac
}

list=0
if [[ ${1:-} == --list ]]; then
    list=1
    shift
fi
wanted=()
for need in "$@"; do
    some=$(packages "$need")
    wanted+=($some)
done
if ((list)); then
    printf '%s\n' "${wanted[@]}"
    exit 0
fi

# One query for all: the packages not (fully) installed.
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${wanted[@]}" 2>/dev/null | sed -n 's/^ii  *//p' || true)
missing=()
for p in "${wanted[@]}"; do
    grep -qx -- "$p" <<<"$installed" || [[ " ${missing[*]} " == *" $p "* ]] || missing+=("$p")
done
((${#missing[@]})) || exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
install() { $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }
# The package lists are fetched only when what the machine has will not serve
# (none yet, or out of date): one update for all the stages of a test run.
if ! install 2>/dev/null; then
    $sudo apt-get update -qq
    install
fi
