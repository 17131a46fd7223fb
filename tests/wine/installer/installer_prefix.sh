# What the installer checks share, sourced after tally.sh and x86_wine.sh by a script that sets
# root, work, manual, wine64, wine32 and wineserver: bounded Wine runs in $WINEPREFIX, the
# registry read back, the prefix's stand-ins for Office and the shell, the add-in played from the
# installed folder and the product's traces in the saved registry.

# Wine reads and writes non-ASCII command lines and file names as UTF-8.
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Every Wine run is bounded; a hung one fails its check instead of the whole run.
run64() { timeout 120 $wine64 "$@"; }
run32() { timeout 120 $wine32 "$@"; }

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

# A stand-in named OUTLOOK.EXE that runs until stop_outlook, holding the DLL if one is named, as
# Outlook holds the add-in it loaded.
start_outlook() {  # start_outlook [Windows path of a DLL]
    mkdir -p "$WINEPREFIX/drive_c/Outlook"
    cp "$stand_in" "$WINEPREFIX/drive_c/Outlook/OUTLOOK.EXE"
    coproc OUTLOOK { timeout 300 $wine64 'C:\Outlook\OUTLOOK.EXE' wait "$@" 2>/dev/null; }
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

# The folder against expected_files (which the script defines), and each build's files against
# the built ones.
check_files() {  # check_files <unix folder> <when>
    local folder=$1 when=$2 arch file same=true
    if [ "$( (cd "$folder" 2>/dev/null && find . -type f) | LC_ALL=C sort)" = "$(expected_files | LC_ALL=C sort)" ]; then
        pass "$when: the folder holds exactly the promised files"
    else
        fail "$when: the folder holds exactly the promised files"
        (cd "$folder" 2>/dev/null && find . | sed 's/^/    /')
    fi
    for arch in x64 x86; do
        for file in Quorvel.dll QuorvelSettings.oft "$manual"; do
            cmp -s "$folder/$arch/$file" "build/dist/$arch/$file" || same=false
        done
    done
    if $same; then pass "$when: each installed file is the one built"; else fail "$when: each installed file is the one built"; fi
}

# The stand-ins (an Outlook that runs until told to stop, and the shell's PDF reader), the About
# dialog's link and the default scenario's native output, made in $work.
prepare_checks() {
    stand_in=$work/stand_in.exe
    x86_64-w64-mingw32-gcc -municode -O2 -o "$stand_in" tests/wine/installer/stand_in.c ||
        fail "the stand-in program is built"
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

# The default scenario and the About link, played by ProgID from the installed folder by each
# bitness in $arches.
play_installed() {  # play_installed <unix install folder> <when> <install folder>
    local folder=$1 when=$2 arch runner host raw
    for arch in $arches; do
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
}

# The prefix's own link that shares the ProgID between the two views is not the product's.
product_traces() {  # lines of the saved registry that name the product or its class IDs
    settle
    grep -i -e quorvel -e vesk ${clsid:+-e "${clsid//[\{\}]/}"} ${typelib:+-e "${typelib//[\{\}]/}"} \
        "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" | grep -v -i -e 'QuorvelChecks' -e 'checks\\\\' |
        grep -v -F 'user.reg:[Software\\Classes\\Wow6432Node\\Quorvel.Connect] '
}
