#!/usr/bin/env bash
# The Windows installer under Wine (WINEPREFIX of the caller, an X server in
# DISPLAY): installs silently for the current user and then for all users,
# starts the installed program with nothing but its own folder, uninstalls
# silently; checks that the files, the Start-menu entry and the entry in
# "Apps and features" appear and vanish, and that the user's settings stay.
#   scripts/test-installer.sh build-win/starbond-1.0-setup.exe
set -euo pipefail
setup=$1
unset WINEPATH
status=0
fail() {
    echo "FAIL installer: $*"
    status=1
}
win() { wine cmd /c "echo $1" 2>/dev/null | tr -d '\r'; }
regHas() { wine reg query "$1" /reg:64 >/dev/null 2>&1; }
uninstallKey='Software\Microsoft\Windows\CurrentVersion\Uninstall\Starbond'
settingsKey='HKCU\Software\starbond\Settings'

# Polls the X server for the program's main window.
mainWindowShown() {
    for _ in $(seq 60); do
        xwininfo -root -tree 2>/dev/null | grep -q '"Starbond v1.0"' && return 0
        sleep 0.5
    done
    return 1
}

for mode in CurrentUser AllUsers; do
    begin=$SECONDS
    if [[ $mode == CurrentUser ]]; then
        dir=$(winepath -u "$(win '%LOCALAPPDATA%')\\Programs\\Starbond")
        menu=$(winepath -u "$(win '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs\\Starbond.lnk")
        hive=HKCU
    else
        dir=$(winepath -u "$(win '%ProgramW6432%')\\Starbond")
        menu=$(winepath -u "$(win '%ProgramData%')\\Microsoft\\Windows\\Start Menu\\Programs\\Starbond.lnk")
        hive=HKLM
    fi
    wine reg delete "$settingsKey" /f >/dev/null 2>&1 || true

    timeout 120 wine "$setup" /S /$mode
    timeout 120 wineserver -w
    for f in starbond.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
        styles/qmodernwindowsstyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll uninstall.exe; do
        [[ -f $dir/$f ]] || fail "$mode: $dir/$f not installed"
    done
    [[ -f $menu ]] || fail "$mode: no Start-menu entry $menu"
    regHas "$hive\\$uninstallKey" || fail "$mode: no uninstall entry in $hive"
    wine reg query "$hive\\$uninstallKey" /v DisplayIcon /reg:64 2>/dev/null | grep -q 'starbond.exe' ||
        fail "$mode: the uninstall entry shows no icon"

    # The installed program, alone: its first start writes the user's settings.
    (cd "$dir" && exec wine ./starbond.exe) &
    program=$!
    mainWindowShown || fail "$mode: the installed program showed no main window"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    timeout 60 wineserver -w
    regHas "$settingsKey" || fail "$mode: the program wrote no settings"

    # The uninstaller copies itself away and runs from there.
    quiet=$(wine reg query "$hive\\$uninstallKey" /v QuietUninstallString /reg:64 2>/dev/null |
        sed -n 's/.*REG_SZ *//p' | tr -d '\r')
    [[ $quiet == *"/$mode /S" ]] || fail "$mode: quiet uninstall is '$quiet'"
    timeout 120 wine "$dir/uninstall.exe" /$mode /S
    timeout 120 wineserver -w
    [[ ! -e $dir ]] || fail "$mode: $dir left after uninstalling: $(ls -A "$dir")"
    [[ ! -e $menu ]] || fail "$mode: Start-menu entry left"
    ! regHas "$hive\\$uninstallKey" || fail "$mode: uninstall entry left"
    regHas "$settingsKey" || fail "$mode: uninstalling took the user's settings"
    echo "   installer, $mode: install, start, uninstall ($((SECONDS - begin)) s)"
done
wine reg delete "$settingsKey" /f >/dev/null 2>&1 || true
exit $status
