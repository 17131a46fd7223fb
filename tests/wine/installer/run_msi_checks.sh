#!/bin/bash
# Quorvel's Windows Installer package under Wine's msiexec. First its tables, read by msiinfo.
# Then four rounds, each in a fresh prefix: per user into the default folder (an upgrade from an
# earlier package; the keys proven to be DllRegisterServer's own, then removed by
# DllUnregisterServer and restored with a deleted DLL by a repair), per user into a folder with
# non-ASCII letters (an upgrade of an earlier package installed there, given no folder), per
# machine with ALLUSERS=1 (repaired too), and per user the earlier package refused over this
# version. After each step: exactly the promised files, every key and value in each registry view,
# one entry in the list of apps; while a stand-in Outlook holds the add-in, a removal that names it
# and changes nothing, silently or with Cancel, and a repair that Retry lets go on once it has
# ended; the default scenario and the About link played by ProgID from the installed folder by each
# bitness; after the uninstall nothing of the product is left, and a stand-in of the user's Outlook
# data file is as it was. Without the root that holds the 32-bit Wine only the tables are checked,
# and the rest says SKIPPED. Builds nothing but the earlier package.
set -uo pipefail
cd "$(dirname "$0")/../../.." || exit 2
root=$(pwd)

source tests/wine/tally.sh
source tests/wine/x86_wine.sh
source tests/wine/xvfb.sh

package=$(ls build/dist/Quorvel-*.msi 2>/dev/null | head -1)
# The package as each prefix holds it (new_prefix).
msi='C:\checks\'"$(basename "$package")"
version=$(basename "$package" .msi)
version=${version#Quorvel-}
manual="Quorvel User Manual.pdf"
work=$(mktemp -d /tmp/quorvel-msi.XXXXXX)
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    [ -n "${WINEPREFIX:-}" ] && timeout 60 $wineserver -k
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT

# The package writes both registry views: the root's Wine, which has both bitnesses.
wine64=$x86_wine64
wine32=$x86_wine
wineserver=$x86_wineserver
arches="x64 x86"
source tests/wine/installer/installer_prefix.sh
prepare_checks

# The IDs in the order the type library's IDL declares them: interface, library, class.
read -r iid libid clsid < <(grep -o 'uuid([0-9A-Fa-f-]*)' resources/quorvel.idl | sed 's/uuid(\(.*\))/{\1}/' | tr '\n' ' ')
typelib=$libid

check_tables() {
    local tables
    tables=$(msiinfo tables "$package")
    if ! grep -qx SelfReg <<<"$tables" || [ "$(msiinfo export "$package" SelfReg | wc -l)" -le 3 ]; then
        pass "tables: no SelfReg row"
    else
        fail "tables: no SelfReg row"
    fi
    local components
    components=$(msiinfo export "$package" Component | awk -F'\t' 'NR > 3 { print $1 " " $4 }')
    local arch attributes expected_bit
    for arch in x64 x86; do
        # msidbComponentAttributes64bit (256) marks a component of the 64-bit view.
        if [ $arch = x64 ]; then expected_bit=256; else expected_bit=0; fi
        local count=0 wrong=0
        while read -r name attributes; do
            [[ "$name" == *_$arch ]] || continue
            count=$((count + 1))
            [ $((attributes & 256)) -eq $expected_bit ] || wrong=$((wrong + 1))
        done <<<"$components"
        if [ $count -eq 4 ] && [ $wrong -eq 0 ]; then
            pass "tables: the four $arch components are in the $arch registry view"
        else
            fail "tables: the four $arch components are in the $arch registry view ($count found, $wrong in the other view)"
        fi
    done
    local upgrade finders
    upgrade=$(msiinfo export "$package" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')
    finders=$(msiinfo export "$package" Upgrade | tr -d '\r' | awk -F'\t' -v code="$upgrade" 'NR > 3 && $1 == code' | wc -l)
    if [ "$upgrade" = "{90830383-975D-4306-81D0-221912071997}" ] && [ "$finders" = 2 ]; then
        pass "tables: the upgrade code, and the Upgrade table that finds earlier and later versions by it"
    else
        fail "tables: the upgrade code (found '$upgrade'), and the Upgrade table that finds earlier and later versions by it ($finders rows)"
    fi
    # Per user or per machine through HKMU only, and no program of ours changes anything: the one
    # DLL action is the check of held files, run before the script (type 1, not deferred), and
    # Outlook's data is not reached.
    local roots actions
    roots=$(msiinfo export "$package" Registry | awk -F'\t' 'NR > 3 { print $2 }' | sort -u | tr '\n' ' ')
    actions=$(msiinfo export "$package" CustomAction | awk -F'\t' 'NR > 3 { print $1 "=" $2 }' | tr '\n' ' ')
    if [ "$roots" = "-1 " ] && [ "$actions" = "PerUserFolder=2099 HeldFiles=1 " ]; then
        pass "tables: every registry row under HKMU, no custom action but the per-user folder and the check of held files"
    else
        fail "tables: every registry row under HKMU (roots: $roots), no custom action but the per-user folder and the check of held files ($actions)"
    fi
}

# Each prefix holds both packages, and a stand-in of the user's Outlook data file, where the
# settings item and the group schedules live: no step may touch it. default_folder is the per-user
# folder the package installs into when given none.
new_prefix() {  # new_prefix <name>
    export WINEPREFIX=$work/prefix-$1
    x86_prefix "$WINEPREFIX"
    prepare_prefix
    cp "$package" "$WINEPREFIX/drive_c/checks/"
    cp "$earlier" "$WINEPREFIX/drive_c/checks/earlier.msi"
    local local_app_data
    local_app_data=$(run64 cmd /c echo '%LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
    default_folder="$local_app_data\\Programs\\Quorvel"
    user_data="$(unix_path "$local_app_data")/Microsoft/Outlook/Outlook.pst"
    mkdir -p "$(dirname "$user_data")"
    head -c 65536 /dev/urandom >"$user_data"
    cp "$user_data" "$work/user-data.pst"
}
# Every msiexec run is silent; Wine answers its exit code modulo 256 (1605 as 69).
msiexec() { run64 msiexec "$@" /qn; }

# The files each build promises, relative to the install folder.
expected_files() {
    for arch in x64 x86; do printf '%s\n' "./$arch/Quorvel.dll" "./$arch/QuorvelSettings.oft" "./$arch/$manual"; done
}

# Every key and value of the product as each registry view sees it below HKCU or HKLM, the
# install folder written <folder>, the root <root>: exported in one Wine run, each key to a file.
listing() {  # listing <HKCU|HKLM> <install folder>
    local keys=("Software\\Classes\\CLSID\\$clsid" 'Software\Classes\Quorvel.Connect'
                "Software\\Classes\\TypeLib\\$libid" "Software\\Classes\\Interface\\$iid"
                'Software\Microsoft\Office\Outlook\Addins\Quorvel.Connect' 'Software\Vesk')
    local exported=$WINEPREFIX/drive_c/checks/listing view index
    rm -rf "$exported"
    mkdir -p "$exported"
    {
        for view in 64 32; do
            for index in "${!keys[@]}"; do
                printf 'reg export "%s\\%s" "C:\\checks\\listing\\%s-%s.reg" /y /reg:%s\r\n' \
                    "$1" "${keys[$index]}" "$view" "$index" "$view"
            done
        done
        printf 'echo done>"C:\\checks\\listing\\done"\r\n'
    } >"$WINEPREFIX/drive_c/checks/listing.bat"
    # A Wine run that ends before its last line (the server going away as it starts) would read
    # as keys missing: such a run is said and made again, once.
    local attempt status
    for attempt in 1 2; do
        run64 cmd /c 'C:\checks\listing.bat' >/dev/null 2>&1
        status=$?
        [ -f "$exported/done" ] && break
        echo "listing: the export of $1 ended early (exit $status, attempt $attempt)" >&2
    done
    local long
    long=$(case $1 in HKCU) echo HKEY_CURRENT_USER ;; HKLM) echo HKEY_LOCAL_MACHINE ;; esac)
    for view in 64 32; do
        echo "view $view"
        for index in "${!keys[@]}"; do
            [ -f "$exported/$view-$index.reg" ] || continue
            iconv -f UTF-16 -t UTF-8 "$exported/$view-$index.reg" | tr -d '\r' |
                grep -a -v -e '^$' -e '^Windows Registry Editor'
        done
    done | FOLDER=${2//\\/\\\\} LONG=$long awk '
        function literally(text, old, new,    at, result) {
            while ((at = index(text, old)) > 0) {
                result = result substr(text, 1, at - 1) new
                text = substr(text, at + length(old))
            }
            return result text
        }
        { print literally(literally($0, ENVIRON["FOLDER"], "<folder>"), ENVIRON["LONG"], "<root>") }'
}
# One entry in the list of apps, of this version.
check_entry() {  # check_entry <when>
    local when=$1 entries
    entries=$(run64 reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null
              run64 reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null)
    local names versions
    names=$(tr -d '\r' <<<"$entries" | grep -c -E '^ +DisplayName +REG_SZ +Quorvel$')
    versions=$(tr -d '\r' <<<"$entries" | grep -A20 -E '^ +DisplayName +REG_SZ +Quorvel$' |
               grep -E '^ +DisplayVersion ' | awk '{ print $3 }' | sort -u | tr '\n' ' ')
    if [ "$names" -ge 1 ] && [ "$versions" = "$version " ]; then
        pass "$when: the list of apps shows Quorvel $version only"
    else
        fail "$when: the list of apps shows Quorvel $version only (entries: $names, versions: $versions)"
    fi
}
check_keys() {  # check_keys <when> <HKCU|HKLM> <install folder>
    listing "$2" "$3" >"$work/keys.txt"
    if diff -u "$work/reference.txt" "$work/keys.txt" >"$work/keys.diff"; then
        pass "$1: every key and value in both registry views, the add-in entry among them"
    else
        fail "$1: every key and value in both registry views, the add-in entry among them"
        head -30 "$work/keys.diff" | sed 's/^/    /'
    fi
}
check_removed() {  # check_removed <when> <unix folder>
    if [ ! -e "$2" ]; then pass "$1: no file is left"; else fail "$1: no file is left"; find "$2" | sed 's/^/    /'; fi
    local traces
    traces=$(product_traces)
    if [ -z "$traces" ]; then pass "$1: no key of the product is left"; else fail "$1: no key of the product is left"; printf '%s\n' "$traces" | head -20 | sed 's/^/    /'; fi
    if cmp -s "$user_data" "$work/user-data.pst"; then pass "$1: the user's Outlook data file is as it was"; else fail "$1: the user's Outlook data file is as it was"; fi
}
play() {  # play <when> <unix folder> <install folder> <per-user: yes|no>
    if [ "$4" = yes ]; then
        export_registry 'HKCU\Software' "$work/software.reg"
        harness_keys add
    fi
    play_installed "$2" "$1" "$3"
    if [ "$4" = yes ]; then harness_keys delete; fi
}
end_round() {
    timeout 60 $wineserver -k
    settle
    rm -rf "$WINEPREFIX"
    unset WINEPREFIX
}
regsvr() {  # regsvr <arch> [/u] <dll>: the build's own regsvr32
    if [ "$1" = x64 ]; then run64 regsvr32 /s "${@:2}"; else run32 regsvr32 /s "${@:2}"; fi
}

# Per user, default folder: an upgrade, the keys measured against DllRegisterServer, a repair.
round_default() {
    local when="per user, default folder$x86_note"
    new_prefix default
    local folder=$default_folder unix_folder
    unix_folder=$(unix_path "$folder")
    # Over the setup program's install the package refuses, so that neither is left half removed.
    local setup_entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
    run64 reg add "$setup_entry" /v UninstallString /d 'C:\Quorvel\Uninstall.exe' /f >/dev/null 2>&1
    if ! msiexec /i "$msi" && [ ! -e "$unix_folder" ]; then
        pass "$when: over the setup program's install the package refuses and installs nothing"
    else
        fail "$when: over the setup program's install the package refuses and installs nothing"
    fi
    run64 reg delete "$setup_entry" /f >/dev/null 2>&1
    expect "$when: the earlier package 0.0.1 installs" msiexec /i 'C:\checks\earlier.msi'
    expect "$when: the package upgrades it" msiexec /i "$msi"
    settle
    check_files "$unix_folder" "$when, upgraded"
    check_entry "$when, upgraded"
    listing HKCU "$folder" >"$work/reference.txt"

    # DllRegisterServer of each build, 64-bit first as setup registers them, changes nothing...
    regsvr x64 "$folder\\x64\\Quorvel.dll"
    regsvr x86 "$folder\\x86\\Quorvel.dll"
    check_keys "$when: regsvr32 of both builds changes nothing, so" HKCU "$folder"
    # ...and DllUnregisterServer of both leaves nothing: the package wrote no key of its own.
    regsvr x86 /u "$folder\\x86\\Quorvel.dll"
    regsvr x64 /u "$folder\\x64\\Quorvel.dll"
    listing HKCU "$folder" >"$work/unregistered.txt"
    if [ "$(grep -v -c '^view ' "$work/unregistered.txt")" = 0 ]; then
        pass "$when: regsvr32 /u of both builds removes every key the package wrote"
    else
        fail "$when: regsvr32 /u of both builds removes every key the package wrote"
        head -10 "$work/unregistered.txt" | sed 's/^/    /'
    fi

    # A repair restores the deleted DLL and the removed keys (by properties: see install_round).
    # The regsvr32 runs have ended for the server too, or the package would find them holding
    # the DLL they loaded.
    settle
    rm -f "$unix_folder/x64/Quorvel.dll"
    expect "$when: a repair ends well" msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=omus
    settle
    check_files "$unix_folder" "$when, repaired"
    check_keys "$when, repaired" HKCU "$folder"
    play "$when" "$unix_folder" "$folder" yes

    expect "$when: the uninstall ends well" msiexec /x "$msi"
    check_removed "$when, uninstalled" "$unix_folder"
    end_round
}

# While the stand-in Outlook holds the installed x64 DLL, a silent removal names it in the log,
# ends with 1603 and changes nothing.
check_held() {  # check_held <when> <unix folder> <install folder> [property...]
    local when=$1 unix_folder=$2 folder=$3
    shift 3
    if ! start_outlook "$folder\\x64\\Quorvel.dll"; then
        fail "$when: the stand-in Outlook starts with the add-in loaded"
        return
    fi
    msiexec /x "$msi" "$@" /l 'C:\checks\held.log'
    local status=$?
    stop_outlook
    settle
    # The log is UTF-16 when it begins with its byte order mark, else in the ANSI code page.
    local log file=$WINEPREFIX/drive_c/checks/held.log
    if [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" = fffe ]; then
        log=$(iconv -f UTF-16 -t UTF-8 "$file")
    else
        log=$(tr -d '\r' <"$file")
    fi
    # What Wine's msiexec ends with is the low byte of the Windows exit code.
    if [ $status -eq $((1603 % 256)) ] && grep -a -q "in use by: OUTLOOK.EXE (process [0-9]*)" <<<"$log"; then
        pass "$when: while Outlook holds the add-in, a silent removal ends with 1603 and its log names OUTLOOK.EXE"
    else
        fail "$when: while Outlook holds the add-in, a silent removal ends with 1603 and its log names OUTLOOK.EXE (exit $status)"
        grep -i "quorvel's files\|HeldFiles" <<<"$log" | head -5 | sed 's/^/    /'
    fi
    check_files "$unix_folder" "$when, held"
    check_entry "$when, held"

    # With a user interface a box names them: Cancel ends the removal with 1602, changing nothing...
    local named
    if start_outlook "$folder\\x64\\Quorvel.dll"; then
        run64 msiexec /x "$msi" "$@" /qb &
        local removal=$!
        named=$(run64 'C:\checks\stand_in.exe' answer 'in use by' cancel | tr -d '\r')
        wait "$removal"
        status=$?
        stop_outlook
        settle
        if [ $status -eq $((1602 % 256)) ] && grep -q "^OUTLOOK.EXE (process [0-9]*)$" <<<"$named"; then
            pass "$when: while Outlook holds the add-in, a removal with a user interface names OUTLOOK.EXE, and Cancel ends it with 1602"
        else
            fail "$when: while Outlook holds the add-in, a removal with a user interface names OUTLOOK.EXE, and Cancel ends it with 1602 (exit $status)"
            sed 's/^/    /' <<<"$named"
        fi
        check_files "$unix_folder" "$when, cancelled"
        check_entry "$when, cancelled"
    else
        fail "$when: the stand-in Outlook starts with the add-in loaded"
    fi
    # ...and Retry, once Outlook has ended, goes on: here with a repair.
    if start_outlook "$folder\\x64\\Quorvel.dll"; then
        run64 msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=omus "$@" /qb &
        local repair=$!
        named=$(run64 'C:\checks\stand_in.exe' answer 'in use by' none | tr -d '\r')
        stop_outlook
        run64 'C:\checks\stand_in.exe' answer 'in use by' retry >/dev/null
        wait "$repair"
        status=$?
        settle
        if [ $status -eq 0 ] && [ -n "$named" ]; then
            pass "$when: after Outlook has ended, Retry goes on and the repair ends well"
        else
            fail "$when: after Outlook has ended, Retry goes on and the repair ends well (exit $status)"
        fi
        check_files "$unix_folder" "$when, retried"
    else
        fail "$when: the stand-in Outlook starts with the add-in loaded"
    fi
}

# Per user, the earlier package over this version: refused, changing nothing. In a round of its
# own: after an upgrade Wine's msiexec keeps no record of the upgrade code, so it would find no
# later version, and a refused install per machine makes it forget the installed product.
round_downgrade() {
    local when="per user, a downgrade$x86_note"
    new_prefix downgrade
    local unix_folder
    unix_folder=$(unix_path "$default_folder")
    expect "$when: the package installs" msiexec /i "$msi"
    if ! msiexec /i 'C:\checks\earlier.msi'; then
        pass "$when: the earlier package over this version is refused"
    else
        fail "$when: the earlier package over this version is refused"
    fi
    settle
    check_files "$unix_folder" "$when, refused"
    check_entry "$when, refused"
    expect "$when: the uninstall ends well" msiexec /x "$msi"
    check_removed "$when, uninstalled" "$unix_folder"
    end_round
}

# An install into <folder> with the given properties, checked, repaired after a deleted DLL, played
# and removed. Per user the keys are below HKCU, per machine below HKLM and none below HKCU. Wine's
# msiexec finds no product for /f (1605) and forgets a product's ALLUSERS after its install, so a
# repair is asked for by the properties that /f sets, and each later run is given the install's
# ALLUSERS again, as Windows Installer keeps it.
# With <from earlier> yes, the earlier package is installed with the properties first and the
# package upgrades it given none: it finds the folder by itself.
install_round() {  # install_round <name> <when> <folder> <HKCU|HKLM> <from earlier: yes|no> [property...] -- [maintenance property...]
    local name=$1 when=$2$x86_note folder=$3 root_key=$4 from_earlier=$5
    shift 5
    local properties=()
    while [ "$1" != -- ]; do properties+=("$1"); shift; done
    shift
    new_prefix "$name"
    local unix_folder
    unix_folder=$(unix_path "$folder")
    local install=("${properties[@]}") installs="installs"
    if [ "$from_earlier" = yes ]; then
        expect "$when: the earlier package 0.0.1 installs" msiexec /i 'C:\checks\earlier.msi' "${properties[@]}"
        install=("$@")
        installs="upgrades it in its folder, given no folder"
    fi
    # Outlook running without the add-in holds none of its files.
    if start_outlook; then
        expect "$when: while Outlook runs without the add-in, the package $installs" msiexec /i "$msi" "${install[@]}"
        stop_outlook
    else
        fail "$when: the stand-in Outlook starts"
    fi
    settle
    check_files "$unix_folder" "$when"
    if [ "$from_earlier" = yes ]; then
        if [ ! -e "$(unix_path "$default_folder")" ]; then pass "$when: nothing went to the default folder"; else fail "$when: nothing went to the default folder"; fi
    fi
    check_entry "$when"
    check_keys "$when" "$root_key" "$folder"
    check_held "$when" "$unix_folder" "$folder" "$@"
    check_keys "$when, held" "$root_key" "$folder"
    if [ "$root_key" = HKLM ]; then
        listing HKCU "$folder" >"$work/user-keys.txt"
        if grep -q -v '^view ' "$work/user-keys.txt"; then fail "$when: nothing below HKCU"; else pass "$when: nothing below HKCU"; fi
    fi
    rm -f "$unix_folder/x86/Quorvel.dll"
    expect "$when: a repair ends well" msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=omus "$@"
    settle
    check_files "$unix_folder" "$when, repaired"
    play "$when" "$unix_folder" "$folder" "$([ "$root_key" = HKCU ] && echo yes || echo no)"
    expect "$when: the uninstall ends well" msiexec /x "$msi" "$@"
    check_removed "$when, uninstalled" "$unix_folder"
    end_round
}

if [ -z "$package" ]; then
    fail "the package is built (build/dist/Quorvel-*.msi)"
    echo "$passed passed, $failed failed, $skipped skipped"
    exit 1
fi
check_tables
# Without the root's 32-bit Wine there is no 32-bit registry view for the x86 build's keys.
if [ "$x86_mode" = none ]; then
    skip "the package under msiexec: $x86_missing"
else
    # The boxes of a run with a user interface.
    start_xvfb || fail "Xvfb starts"
    earlier=$work/earlier.msi
    if bash installer/make_msi.sh 0.0.1 "$earlier" 2>"$work/earlier.log"; then
        round_default
    else
        fail "the earlier package 0.0.1 is built"
        sed 's/^/    /' "$work/earlier.log"
    fi
    install_round chosen "per user, a folder of non-ASCII letters" 'C:\Users\Zoë Ångström\Programs\Quorvel' HKCU yes \
        'INSTALLFOLDER=C:\Users\Zoë Ångström\Programs\Quorvel' --
    install_round machine "per machine" 'C:\Program Files\Quorvel' HKLM no ALLUSERS=1 -- ALLUSERS=1
    round_downgrade
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
