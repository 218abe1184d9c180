#!/usr/bin/env bash
# The Windows program: starbond.exe, its tests and its installer cross-built
# with mingw-w64 into build-win/ (scripts/windows.sh), and run under Wine on a
# virtual X server:
#   - the tests of the windows and the logic, offscreen, as on Linux;
#   - the Win32 backends against the real API, in a Western and a Japanese
#     code page, and the topmost window on a real window;
#   - the real starbond.exe, typed at as a user does (test_program);
#   - the installer: a silent install for the user and for all users, the
#     installed program started, a silent uninstall.
# The Wine prefix lives in build-win/wineprefix and is made once. All of it
# runs on Debian 13 (Qt 6.8, its mingw-w64, Wine 10): on another release in
# the Debian 13 root (scripts/debian13.sh), whose own build/ holds the Linux
# test_program that drives the Windows program.
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ $(. /etc/os-release && echo "${VERSION_ID:-}") != 13 ]]; then
    exec scripts/debian13.sh run scripts/test-windows.sh "$@"
fi
scripts/setup.sh build tests windows wine

export WINEPREFIX=$PWD/build-win/wineprefix
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
qt=$(scripts/qt-windows.sh)

if [[ ${1:-} == --run-tests ]]; then
    status=0
    runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
    winpthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
    export WINEPATH="$(winepath -w "$qt/bin");$(winepath -w "$runtime");$(winepath -w "$winpthread")"
    # Wine hands a program no QT_ variable of the Linux side; WINEQT_X becomes
    # QT_X. Without them the tests would run on the Windows platform plugin,
    # slowly and partly without windows. The offscreen platform of Qt for
    # Windows reads its fonts from a folder.
    export WINEQT_PLUGIN_PATH=$(winepath -w "$qt/plugins")
    export WINEQT_QPA_FONTDIR=$(winepath -w /usr/share/fonts/truetype/dejavu)
    out=$(mktemp -d)
    # QtTest writes to the console of a Windows program only through -o.
    run() {
        local exe=$1 name
        shift
        name=$(basename "$exe" .exe)
        local begin=$SECONDS
        if timeout 300 env "$@" wine "$exe" -o "$(winepath -w "$out/$name.txt"),txt" >/dev/null 2>&1; then
            echo "   $name: $(grep -h '^Totals' "$out/$name.txt" | cut -d, -f1-3) ($((SECONDS - begin)) s)"
        else
            echo "FAIL $name ($((SECONDS - begin)) s)"
            cat "$out/$name.txt" 2>/dev/null | grep -v '^PASS' || true
            status=1
        fi
    }
    # The Qt tests come first: the first window of a fresh X server starts
    # Wine's desktop process, and a plain Win32 window asked for at that very
    # moment can be refused.
    for exe in build-win/test_*.exe; do
        case $(basename "$exe") in
        test_win_backends.exe | test_topmost_win32.exe) ;;
        *) run "$exe" WINEQT_QPA_PLATFORM=offscreen ;;
        esac
    done
    run build-win/test_topmost_win32.exe
    for locale in C.UTF-8 ja_JP.UTF-8; do
        echo "   test_win_backends in $locale:"
        LC_ALL=$locale timeout 120 wine build-win/test_win_backends.exe | sed 's/^/     /' || status=1
    done

    # The real program from its deployed folder alone: the same test as on
    # Linux (built there by scripts/build.sh), through wine. Wine reads its
    # command line in the caller's locale, and the test hands `wine reg` the
    # store's shifted bytes as UTF-8: without a locale (no LANG, as on a bare
    # machine) they would arrive as other characters.
    (
        unset WINEPATH WINEQT_PLUGIN_PATH WINEQT_QPA_FONTDIR
        begin=$SECONDS
        if LC_ALL=C.UTF-8 STARBOND_EXE_UNDER_WINE=$PWD/build-win/deploy/starbond.exe timeout 300 build/tests/app/test_program \
            >"$out/program.txt" 2>&1; then
            echo "   test_program under Wine: $(grep -h '^Totals' "$out/program.txt" | cut -d, -f1-3) ($((SECONDS - begin)) s)"
        else
            echo "FAIL test_program under Wine"
            grep -v "^PASS" "$out/program.txt"
            exit 1
        fi
    ) || status=1

    scripts/test-installer.sh build-win/starbond-*-setup.exe || status=1
    rm -rf "$out"
    # No Wine process may outlive this display.
    wineserver -k || true
    exit $status
fi

start=$SECONDS
scripts/windows.sh
scripts/build.sh test_program

prefix=warm
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    prefix=cold
    echo "Creating the Wine prefix in $WINEPREFIX"
    timeout 300 wineboot -i
    timeout 120 wineserver -w
fi

if [[ -n "${DISPLAY:-}" ]]; then
    "$0" --run-tests
else
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" --run-tests
fi
echo "Windows stage: $((SECONDS - start)) s ($prefix Wine prefix)"
