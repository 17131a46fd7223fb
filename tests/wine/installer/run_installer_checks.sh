#!/bin/bash
# Quorvel's installer under Wine, in a fresh 64-bit prefix for each install folder: refused while
# Outlook runs; a silent install; every promised file and key and both builds' classes; the add-in
# created by its ProgID from the installed folder and the default scenario played by
# outlook_host.exe, 64- and 32-bit; the About dialog's manual link; an install over it; a silent
# uninstall that leaves nothing of the product. First into the default folder, then into one with
# non-ASCII letters. Builds nothing: scripts/build.sh makes the installer and the hosts.
# Usage: run_installer_checks.sh [FOLDER...]   each FOLDER (e.g. 'C:\Users\Зоя\Quorvel') gets a round too
set -uo pipefail
cd "$(dirname "$0")/../../.." || exit 2
root=$(pwd)

source tests/wine/tally.sh
source tests/wine/x86_wine.sh

# Setup installs both builds into one prefix: the root's Wine, which has both bitnesses.
wine64=$x86_wine64
wine32=$x86_wine
wineserver=$x86_wineserver
setup=$(ls build/dist/Quorvel-*-setup.exe 2>/dev/null | head -1)
version=$(basename "$setup" -setup.exe)
version=${version#Quorvel-}
manual="Quorvel User Manual.pdf"
work=$(mktemp -d /tmp/quorvel-installer.XXXXXX)
outlook_pid=
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    [ -n "$outlook_pid" ] && kill "$outlook_pid" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && timeout 60 $wineserver -k
    rm -rf "$work"
}
trap cleanup EXIT

source tests/wine/installer/installer_prefix.sh

# The installer registers the 32-bit build with the 32-bit regsvr32: without the root that holds
# the 32-bit Wine it cannot, so the checks are skipped and say so.
if [ "$x86_mode" = none ]; then
    skip "the installer checks: $x86_missing"
    echo "$passed passed, $failed failed, $skipped skipped"
    exit 0
fi
prepare_checks
arches="x64 x86"

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
package=$(ls build/dist/Quorvel-*.msi 2>/dev/null | head -1)

# The files the installer promises, relative to its folder.
expected_files() {
    printf '%s\n' ./Uninstall.exe
    for arch in x64 x86; do printf '%s\n' "./$arch/Quorvel.dll" "./$arch/QuorvelSettings.oft" "./$arch/$manual"; done
}

check_registration() {  # check_registration <install folder> <when>
    local folder=$1 when=$2 software=$work/software.reg
    export_registry 'HKCU\Software' "$software"
    local uninstall='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
    expect_value "$when: the uninstall entry's DisplayName" "$software" "$uninstall" DisplayName Quorvel
    expect_value "$when: the uninstall entry's DisplayVersion" "$software" "$uninstall" DisplayVersion "$version"
    expect_value "$when: the uninstall entry's Publisher" "$software" "$uninstall" Publisher Vesk
    expect_value "$when: the uninstall entry's DisplayIcon" "$software" "$uninstall" DisplayIcon "$folder\\Uninstall.exe,0"
    expect_value "$when: the uninstall entry's InstallLocation" "$software" "$uninstall" InstallLocation "$folder"
    expect_value "$when: the uninstall entry's UninstallString" "$software" "$uninstall" UninstallString "\"$folder\\Uninstall.exe\""
    expect_value "$when: the uninstall entry's QuietUninstallString" "$software" "$uninstall" QuietUninstallString "\"$folder\\Uninstall.exe\" /S"
    local size
    size=$(registry_value "$software" "$uninstall" EstimatedSize)
    if [[ "$size" =~ ^dword:[0-9a-f]{8}$ ]] && [ $((16#${size#dword:})) -gt 100 ]; then
        pass "$when: the uninstall entry's EstimatedSize ($((16#${size#dword:})) KB)"
    else
        fail "$when: the uninstall entry's EstimatedSize (found '$size')"
    fi
    local entries
    entries=$(grep -ci '^\[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\[^\\]*Quorvel[^\\]*\]$' "$software")
    if [ "$entries" = 1 ]; then pass "$when: one uninstall entry"; else fail "$when: one uninstall entry (found $entries)"; fi

    local classes='HKEY_CURRENT_USER\Software\Classes' classes32='HKEY_CURRENT_USER\Software\Classes\Wow6432Node'
    clsid=$(registry_value "$software" "$classes\\Quorvel.Connect\\CLSID" @)
    if [[ "$clsid" =~ ^\{[0-9A-Fa-f-]{36}\}$ ]]; then pass "$when: the ProgID Quorvel.Connect names a class"; else fail "$when: the ProgID Quorvel.Connect names a class (found '$clsid')"; fi
    typelib=$(registry_value "$software" "$classes\\CLSID\\$clsid\\TypeLib" @)
    expect_value "$when: the 64-bit class is the installed x64 build" "$software" "$classes\\CLSID\\$clsid\\InprocServer32" @ "$folder\\x64\\Quorvel.dll"
    expect_value "$when: the 32-bit class is the installed x86 build" "$software" "$classes32\\CLSID\\$clsid\\InprocServer32" @ "$folder\\x86\\Quorvel.dll"
    expect_value "$when: the 64-bit type library is the x64 build" "$software" "$classes\\TypeLib\\$typelib\\1.0\\0\\win64" @ "$folder\\x64\\Quorvel.dll"
    expect_value "$when: the 32-bit type library is the x86 build" "$software" "$classes\\TypeLib\\$typelib\\1.0\\0\\win32" @ "$folder\\x86\\Quorvel.dll"
    expect_value "$when: Outlook loads the add-in at start-up" "$software" 'HKEY_CURRENT_USER\Software\Microsoft\Office\Outlook\Addins\Quorvel.Connect' LoadBehavior dword:00000003
}

installer_round() {  # installer_round <name> <install folder or empty for the default> [moved]
    local when=$1$x86_note folder=$2 moved=${3:-}
    export WINEPREFIX=$work/prefix-$1
    x86_prefix "$WINEPREFIX"
    prepare_prefix
    local silent install default_folder
    silent="\"$(printf 'Z:%s' "$root/$setup" | tr / '\\')\" /S"
    default_folder="$(run64 cmd /c echo '%LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\Programs\\Quorvel"
    install=$silent${folder:+ /D=$folder}
    folder=${folder:-$default_folder}
    local unix_folder earlier
    unix_folder=$(unix_path "$folder")
    earlier=$(unix_path "$default_folder")
    # An earlier installation in the default folder, which the install into another folder replaces.
    if [ -n "$moved" ]; then
        expect "$when: an earlier install into the default folder ends well" run_line "$silent"
        settle
    fi

    # Over the Windows Installer package's install Setup refuses and changes nothing.
    if [ "$1" = default ] && [ -n "$package" ]; then
        local package_name='C:\checks\'"$(basename "$package")"
        cp "$package" "$WINEPREFIX/drive_c/checks/"
        expect "$when: the Windows Installer package installs" run64 msiexec /i "$package_name" /qn
        run_line "$install"
        local status=$?
        if [ $status -eq 4 ] && [ ! -e "$unix_folder/Uninstall.exe" ] && ! run64 reg query "$uninstall_key" >/dev/null 2>&1; then
            pass "$when: over the package's install a silent install exits with 4 and changes nothing"
        else
            fail "$when: over the package's install a silent install exits with 4 and changes nothing (exit $status)"
        fi
        expect "$when: the package's uninstall ends well" run64 msiexec /x "$package_name" /qn
        settle
    fi

    if start_outlook; then
        run_line "$install"
        local status=$?
        stop_outlook
        if [ $status -eq 2 ] && [ ! -e "$unix_folder" ] && { [ -n "$moved" ] || ! run64 reg query "$uninstall_key" >/dev/null 2>&1; }; then
            pass "$when: while Outlook runs, a silent install exits with 2 and changes nothing"
        else
            fail "$when: while Outlook runs, a silent install exits with 2 and changes nothing (exit $status)"
        fi
    else
        fail "$when: the stand-in Outlook starts"
    fi

    expect "$when: a silent install ends well" run_line "$install"
    settle
    check_files "$unix_folder" "$when"
    if [ -n "$moved" ]; then
        if [ ! -e "$earlier" ]; then pass "$when: the earlier installation is removed"; else fail "$when: the earlier installation is removed"; fi
    fi
    check_registration "$folder" "$when"
    harness_keys add
    play_installed "$unix_folder" "$when" "$folder"
    harness_keys delete

    expect "$when: a second silent install over the first ends well" run_line "$install"
    settle
    check_files "$unix_folder" "$when, installed twice"
    check_registration "$folder" "$when, installed twice"

    if start_outlook; then
        run_line "\"$folder\\Uninstall.exe\" /S _?=$folder"
        local status=$?
        stop_outlook
        if [ $status -eq 2 ] && [ -f "$unix_folder/x64/Quorvel.dll" ] && run64 reg query "$uninstall_key" >/dev/null 2>&1; then
            pass "$when: while Outlook runs, a silent uninstall exits with 2 and changes nothing"
        else
            fail "$when: while Outlook runs, a silent uninstall exits with 2 and changes nothing (exit $status)"
        fi
    fi

    # The uninstall command exactly as Windows would run it.
    local quiet
    quiet=$(registry_value "$work/software.reg" "${uninstall_key/HKCU/HKEY_CURRENT_USER}" QuietUninstallString)
    expect "$when: the QuietUninstallString runs" run_line "$quiet"
    settle
    if [ ! -e "$unix_folder" ]; then pass "$when: no file is left"; else fail "$when: no file is left"; find "$unix_folder" | sed 's/^/    /'; fi
    local traces
    traces=$(product_traces)
    if [ -z "$traces" ]; then pass "$when: no key of the product is left"; else fail "$when: no key of the product is left"; printf '%s\n' "$traces" | head -20 | sed 's/^/    /'; fi
    timeout 60 $wineserver -k
    settle
    rm -rf "$WINEPREFIX"
    unset WINEPREFIX
}

if [ -z "$setup" ]; then
    fail "the installer is built (build/dist/Quorvel-*-setup.exe)"
else
    installer_round default ""
    installer_round non-ascii 'C:\Users\Zoë Ångström\Programs\Quorvel' moved
    round=0
    for folder in "$@"; do
        round=$((round + 1))
        installer_round "folder-$round" "$folder"
    done
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
