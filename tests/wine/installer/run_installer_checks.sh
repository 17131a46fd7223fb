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

# Wine reads and writes non-ASCII command lines and file names as UTF-8.
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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

# Every Wine run is bounded; a hung one fails its check instead of the whole run.
run64() { timeout 120 $wine64 "$@"; }
run32() { timeout 120 $wine32 "$@"; }
# The installer registers the 32-bit build with the 32-bit regsvr32: without the root that holds
# the 32-bit Wine it cannot, so the checks are skipped and say so.
if [ "$x86_mode" = none ]; then
    skip "the installer checks: $x86_missing"
    echo "$passed passed, $failed failed, $skipped skipped"
    exit 0
fi
# Waits until every process of the prefix has ended and the registry is saved.
settle() { timeout 120 $wineserver -w; }
unix_path() { run64 winepath -u "$1" 2>/dev/null | tr -d '\r'; }
# Runs a command line exactly as typed at a prompt (Wine would quote "/D=C:\a b"); answers its
# exit code.
run_line() {  # run_line <Windows command line>
    printf '%s' "$1" >"$WINEPREFIX/drive_c/checks/line.txt"
    run64 'C:\checks\stand_in.exe' run 'C:\checks\line.txt'
}
# The registry as a .reg text, read once for many checks.
export_registry() {  # export_registry <key> <file>
    rm -f "$2.utf16"
    run64 reg export "$1" "$(printf 'Z:%s' "$2.utf16" | tr / '\\')" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$2.utf16" 2>/dev/null | tr -d '\r\357\273\277' >"$2"
}
registry_value() {  # registry_value <exported file> <key> <value name, @ for the default>
    # Through the environment: awk would read "\1.0" in a -v value as an escape.
    KEY="[$2]" NAME=$3 awk '
        BEGIN { key = ENVIRON["KEY"]; name = ENVIRON["NAME"] }
        $0 == key { inside = 1; next }
        /^\[/ { inside = 0 }
        inside {
            split_at = index($0, "=")
            left = substr($0, 1, split_at - 1)
            if (left == (name == "@" ? "@" : "\"" name "\"")) { print substr($0, split_at + 1); exit }
        }' "$1" | sed -E -e 's/^"(.*)"$/\1/' -e 's/\\"/"/g' -e 's/\\\\/\\/g'
}
expect_value() {  # expect_value <description> <exported file> <key> <value name> <expected>
    local found
    found=$(registry_value "$2" "$3" "$4")
    if [ "$found" = "$5" ]; then pass "$1"; else fail "$1 (found '$found', expected '$5')"; fi
}

# The stand-ins: an Outlook that runs until told to stop, and the shell's PDF reader.
stand_in=$work/stand_in.exe
x86_64-w64-mingw32-gcc -municode -O2 -o "$stand_in" tests/wine/installer/stand_in.c ||
    fail "the stand-in program is built"

# The About dialog's link, the default scenario and the window-free part of a session.
cat >"$work/about.qvs" <<'QVS'
explorer open inbox
addin connect
addin startup
explorer 1 click "About Quorvel"
window AboutForm click LabelManual
window AboutForm click cmdOK
addin shutdown
QVS
native_default=$work/default-native.txt
(cd build/native && ./quorvel-sim "$root/tools/simulator/scenarios/default.qvs") 2>&1 |
    normalise "$root/build/native" >"$native_default"

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'

start_outlook() {
    mkdir -p "$WINEPREFIX/drive_c/Outlook"
    cp "$stand_in" "$WINEPREFIX/drive_c/Outlook/OUTLOOK.EXE"
    coproc OUTLOOK { timeout 300 $wine64 'C:\Outlook\OUTLOOK.EXE' wait 2>/dev/null; }
    outlook_pid=$OUTLOOK_PID
    local line=
    IFS= read -r -t 120 line <&"${OUTLOOK[0]}"
    [ "${line%$'\r'}" = running ]
}
stop_outlook() {
    echo >&"${OUTLOOK[1]}"
    wait "$outlook_pid"
    outlook_pid=
}

# The files the installer promises, relative to its folder.
expected_files() {
    printf '%s\n' ./Uninstall.exe
    for arch in x64 x86; do printf '%s\n' "./$arch/Quorvel.dll" "./$arch/QuorvelSettings.oft" "./$arch/$manual"; done
}
check_files() {  # check_files <unix folder> <when>
    local folder=$1 when=$2
    if [ "$( (cd "$folder" 2>/dev/null && find . -type f) | LC_ALL=C sort)" = "$(expected_files | LC_ALL=C sort)" ]; then
        pass "$when: the folder holds exactly the promised files"
    else
        fail "$when: the folder holds exactly the promised files"
        (cd "$folder" 2>/dev/null && find . | sed 's/^/    /')
    fi
    local arch same=true
    for arch in x64 x86; do
        for file in Quorvel.dll QuorvelSettings.oft "$manual"; do
            cmp -s "$folder/$arch/$file" "build/dist/$arch/$file" || same=false
        done
    done
    if $same; then pass "$when: each installed file is the one built"; else fail "$when: each installed file is the one built"; fi
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

# Wine 8 resolves classes from HKLM only (Windows merges the per-user ones): the registered keys
# are copied there for the sessions and removed again afterwards.
harness_keys() {  # harness_keys add|delete
    local key machine='HKEY_LOCAL_MACHINE\Software\Classes'
    {
        printf 'Windows Registry Editor Version 5.00\n\n'
        if [ "$1" = add ]; then
            awk -v clsid="$clsid" -v typelib="$typelib" '
                /^\[/ {
                    inside = index($0, "[HKEY_CURRENT_USER\\Software\\Classes\\") == 1 &&
                             (index($0, "\\Quorvel.Connect") || index($0, clsid) || index($0, typelib))
                }
                inside' "$work/software.reg" | sed 's/^\[HKEY_CURRENT_USER\\/[HKEY_LOCAL_MACHINE\\/'
        else
            for key in Quorvel.Connect "CLSID\\$clsid" "TypeLib\\$typelib"; do
                printf '[-%s\\%s]\n\n[-%s\\Wow6432Node\\%s]\n\n' "$machine" "$key" "$machine" "$key"
            done
        fi
    } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/drive_c/checks/harness.reg"
    run64 reg import 'C:\checks\harness.reg' >/dev/null 2>&1
}

# Office's ribbon type library stand-in and a PDF reader that records what the shell opens.
prepare_prefix() {
    mkdir -p "$WINEPREFIX/drive_c/checks"
    cp "$stand_in" "$WINEPREFIX/drive_c/checks/"
    cp build/mingw-x64/src/win32/office_types.tlb "$WINEPREFIX/drive_c/checks/office_types_64.tlb"
    cp build/mingw-x86/src/win32/office_types.tlb "$WINEPREFIX/drive_c/checks/office_types_32.tlb"
    local office='HKEY_LOCAL_MACHINE\Software\Classes\TypeLib\{2DF8D04C-5BFA-101B-BDE5-00AA0044DE52}\2.4'
    local view
    {
        printf 'Windows Registry Editor Version 5.00\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n"Graphics"="null"\n\n'
        printf '[%s\\0\\win64]\n@="C:\\\\checks\\\\office_types_64.tlb"\n\n' "$office"
        printf '[%s\\0\\win32]\n@="C:\\\\checks\\\\office_types_32.tlb"\n\n' "$office"
        printf '[%s\\FLAGS]\n@="0"\n\n' "$office"
        for view in '' 'Wow6432Node\'; do
            printf '[HKEY_LOCAL_MACHINE\\Software\\%sClasses\\.pdf]\n@="QuorvelChecks.Pdf"\n\n' "$view"
            printf '[HKEY_LOCAL_MACHINE\\Software\\%sClasses\\QuorvelChecks.Pdf\\shell\\open\\command]\n' "$view"
            printf '@="\\"C:\\\\checks\\\\stand_in.exe\\" record \\"C:\\\\checks\\\\opened.txt\\" \\"%%1\\""\n\n'
        done
    } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/drive_c/checks/prefix.reg"
    run64 reg import 'C:\checks\prefix.reg' >/dev/null 2>&1
    timeout 60 $wineserver -k
    settle
}

play_installed() {  # play_installed <unix install folder> <when>
    local folder=$1 when=$2 arch runner host raw
    harness_keys add
    for arch in x64 x86; do
        if [ $arch = x64 ]; then runner=run64; else runner=run32; fi
        host=build/mingw-$arch/tests/wine/host/outlook_host.exe
        raw=$work/default-$arch.raw
        # The scenario reads the log through its window: made with the form, not when first shown.
        (cd "$work" && QUORVEL_WINDOWS_AT_ONCE=1 $runner "$root/$host" "$(printf 'Z:%s' "$root/tools/simulator/scenarios/default.qvs" | tr / '\\')") >"$raw" 2>&1
        local status=$?
        tr -d '\r' <"$raw" | grep -v -e '^ok: ' -e '^FAILED: ' | normalise "$3\\$arch" >"$work/default-$arch.txt"
        if [ $status -eq 0 ] && diff -u "$native_default" "$work/default-$arch.txt" >"$work/default-$arch.diff"; then
            pass "$when: $arch: the add-in made by its ProgID from the installed folder plays the default scenario"
        else
            fail "$when: $arch: the add-in made by its ProgID from the installed folder plays the default scenario (exit $status)"
            grep '^FAILED' "$raw" | head -10 | sed 's/^/    /'
            [ -f "$work/default-$arch.diff" ] && head -30 "$work/default-$arch.diff" | sed "s/^/    /"
        fi

        rm -f "$WINEPREFIX/drive_c/checks/opened.txt"
        (cd "$work" && $runner "$root/$host" "$(printf 'Z:%s' "$work/about.qvs" | tr / '\\')") >"$work/about-$arch.txt" 2>&1
        status=$?
        settle
        local opened=
        [ -f "$WINEPREFIX/drive_c/checks/opened.txt" ] && opened=$(cat "$WINEPREFIX/drive_c/checks/opened.txt")
        local expected="$3\\$arch\\$manual"
        if [ $status -eq 0 ] && [ "$opened" = "$expected" ] && [ -f "$(unix_path "$opened")" ]; then
            pass "$when: $arch: the About dialog's manual link opens $opened, which exists"
        else
            fail "$when: $arch: the About dialog's manual link opens $expected, which exists (exit $status, opened '${opened}')"
            grep -e '^FAILED' -e 'outlook_host' "$work/about-$arch.txt" | head -5 | sed 's/^/    /'
        fi
    done
    harness_keys delete
}

# The prefix's own link that shares the ProgID between the two views is not the product's.
product_traces() {  # lines of the saved registry that name the product or its class IDs
    settle
    grep -i -e quorvel -e vesk ${clsid:+-e "${clsid//[\{\}]/}"} ${typelib:+-e "${typelib//[\{\}]/}"} \
        "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" | grep -v -i -e 'QuorvelChecks' -e 'checks\\\\' |
        grep -v -F 'user.reg:[Software\\Classes\\Wow6432Node\\Quorvel.Connect] '
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
    play_installed "$unix_folder" "$when" "$folder"

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
