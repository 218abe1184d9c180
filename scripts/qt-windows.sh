#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source with mingw-w64,
# once, into a per-user cache keyed by version, options and tool chain; later
# calls only print the folder. Usage: scripts/qt-windows.sh   (prints the
# install prefix)
# It is Debian 13's Qt 6.8, built with Debian 13's mingw-w64: on another
# release it is built and kept in the Debian 13 root (scripts/debian13.sh),
# and the folder printed is the root's.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $(. /etc/os-release && echo "${VERSION_ID:-}") != 13 ]]; then
    exec scripts/debian13.sh run scripts/qt-windows.sh
fi
scripts/setup.sh build windows >&2

# The host's own Qt builds the tools (moc, rcc, uic) the Windows build runs:
# it must be the very same version, and its source is the one built.
src_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
version=${src_version%%+*}
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake

# What Starbond does not use stays out; the third-party libraries are bundled
# so the deployed folder needs nothing from the machine it lands on.
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_zstd=OFF
    # The source carries no wintab.h.
    -DFEATURE_tabletevent=OFF
    # With OpenGL off the Windows plugin does not compile otherwise.
    -DFEATURE_dynamicgl=OFF
)
# The toolchain the project builds with; comments aside, its lines are part of
# the key, and so is the compiler's version.
toolchain=$(grep -v '^#' cmake/mingw-w64.cmake)
toolchain+=$'\n'$(x86_64-w64-mingw32-g++-posix -dumpversion)

key=$(printf '%s\n' "$version" "${options[@]}" "$toolchain" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/starbond
prefix=$cache/qt-$version-mingw64-$key

if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

start=$SECONDS
work=$cache/qt-$version-mingw64-$key.work
mkdir -p "$work"
log=$work/build.log
echo "Building Qt $version for Windows into $prefix (about half an hour, once; log in $log)" >&2
# A step that fails shows the end of its log.
logged() {
    "$@" >>"$log" 2>&1 || {
        tail -40 "$log" >&2
        echo "qt-windows: failed: $*" >&2
        exit 1
    }
}

# The source: apt-get source with a private list and state, the machine's own
# apt configuration untouched. The deb-src lines follow the archives and suites
# the machine already uses.
if [[ ! -d $work/src ]]; then
    apt_dir=$work/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/dl"
    : >"$apt_dir/sources.list"
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f $f ]] || continue
        sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' "$f" >>"$apt_dir/sources.list"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [[ -f $f ]] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             /URIs:[^\n]*debian/ {
                 for (i = 1; i <= NF; i++) {
                     if ($i ~ /^Types:/) $i = "Types: deb-src"
                     print $i
                 }
                 print ""
             }' "$f" >"$apt_dir/src-$(basename "$f")"
    done
    apt_opts=(-o "Dir::State=$apt_dir" -o "Dir::State::Lists=$apt_dir/lists"
        -o "Dir::State::status=/var/lib/dpkg/status" -o "Dir::Cache=$apt_dir/cache"
        -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir"
        -o "APT::Sandbox::User=root" -o "Debug::NoLocking=1")
    logged apt-get "${apt_opts[@]}" update -qq --error-on=any
    # The very source of the Qt the Linux build uses, Debian's patches applied.
    (cd "$apt_dir/dl" && logged apt-get "${apt_opts[@]}" source -qq "qt6-base=$src_version")
    mv "$apt_dir/dl"/qt6-base-$version*/ "$work/src"
    rm -rf "$apt_dir"
fi

cp cmake/mingw-w64.cmake "$work/toolchain.cmake"
logged cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"
logged cmake --build "$work/build" --parallel "$(nproc)"
logged cmake --install "$work/build"
touch "$prefix/.complete"
rm -rf "$work"
echo "Qt for Windows built in $((SECONDS - start)) s" >&2
echo "$prefix"
