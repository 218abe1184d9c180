#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), unpacks it into a scratch folder and
# checks what it installs and that apt could install it here; then lintian,
# the AppStream validator and the desktop-entry validator, any error or
# warning failing. Nothing is installed on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build package package-checks
start=$SECONDS

deb=$(scripts/package.sh)
version=$(dpkg-deb -f "$deb" Version)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

status=0
fail() {
    echo "package: $*" >&2
    status=1
}

desktop=usr/share/applications/starbond.desktop
metainfo=usr/share/metainfo/example.starbond.Starbond.metainfo.xml
doc=usr/share/doc/starbond
for f in usr/games/starbond $desktop $metainfo usr/share/man/man6/starbond.6.gz $doc/copyright $doc/changelog.gz \
    usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/starbond.png; do
    [[ -f $root/$f ]] || fail "/$f missing"
done
[[ -x $root/usr/games/starbond ]] || fail "/usr/games/starbond not executable"

# The desktop entry, the metainfo and the package must name the same things.
[[ $(sed -n 's/^Exec=//p' "$root/$desktop") == starbond ]] || fail "desktop entry starts something else"
grep -q '<launchable type="desktop-id">starbond.desktop</launchable>' "$root/$metainfo" ||
    fail "metainfo launches another desktop entry"
grep -q "<release version=\"$version\"" "$root/$metainfo" || fail "metainfo has no release $version"
[[ $(zcat "$root/$doc/changelog.gz" | head -1) == "starbond ($version) "* ]] || fail "changelog not at $version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries"
if ldd "$root/usr/games/starbond" | grep 'not found'; then fail "libraries missing"; fi
# Every dependency can be had from the archives this machine uses: apt's own
# resolution, simulated, so nothing is installed.
if ! out=$(apt-get install -s "./$deb" 2>&1); then
    fail "cannot be installed: $(grep -E '^ |^E:' <<<"$out")"
fi

lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root" >&2) || fail "lintian"
appstreamcli validate --no-net "$root/$metainfo" >/dev/null || {
    appstreamcli validate --no-net "$root/$metainfo"
    fail "appstreamcli validate"
}
out=$(desktop-file-validate "$root/$desktop") && [[ -z $out ]] || fail "desktop-file-validate: $out"

echo "Package checks: $((SECONDS - start)) s ($deb)"
exit $status
