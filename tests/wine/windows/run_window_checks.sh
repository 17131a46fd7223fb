#!/bin/bash
# Shows each of the add-in's forms as a real window under Wine on a private X server: the program
# window_check.exe checks every window through Win32 and this script photographs it into
# OUTPUT_FOLDER/<form>.png, at 96 and at 144 dpi (<form>-144dpi.png; people_resources_found.png
# with a filter typed and marks shown), and once more after telling the
# 96 dpi window of a move to a 144 dpi monitor (<form>_rescaled.png), which must then be laid out
# as the one made at 144 dpi. Every wait is bounded; nothing is left running.
# Usage: run_window_checks.sh BUILD_FOLDER OUTPUT_FOLDER
#   BUILD_FOLDER: build folder of the mingw-x64 or mingw-x86 preset.
# Needs wine64, xvfb, x11-utils, imagemagick, fonts-wine, and for the 32-bit build the root of
# scripts/setup-x86-emulation.sh.
set -uo pipefail
source "$(dirname "$0")/../x86_wine.sh"
source "$(dirname "$0")/../xvfb.sh"

build=$(cd "${1:?build folder}" && pwd) || exit 2
mkdir -p "${2:?output folder}" && output=$(cd "$2" && pwd) || exit 2
program="$build/src/win32/window_checks/window_check.exe"
forms=(main people_resources about info order)
# Further photographs: People & Resources' layout with a filter typed and availability marked.
photos=(people_resources_found)

if grep -q "x86_64-w64-mingw32" "$build/CMakeCache.txt"; then
    arch=x64 wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
else
    arch=x86 wine=$x86_wine wineserver=$x86_wineserver
fi
# Under emulation each check says so.
emulated=
[ $arch = x86 ] && emulated=$x86_note

# Seconds: a prefix is made in 10-20, the program runs in a few.
prefix_timeout=180
program_timeout=300
line_timeout=120
command_timeout=60

passed=0
failed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
fail() { echo "FAILED: $1"; failed=$((failed + 1)); }
finish() {
    echo "$passed passed, $failed failed"
    exit $((failed > 0))
}

wineserver_pid=
program_pid=
prefix=
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    stop "$program_pid"
    # The server of our prefix ends every Wine process of it, then itself; only a server that
    # does not is stopped by its PID (which would leave those processes behind).
    if [ -n "$wineserver_pid" ]; then
        timeout 30 "$wineserver" -k
        await_end "$wineserver_pid" || stop "$wineserver_pid"
    fi
    stop "$xvfb_pid"
    [ -n "$prefix" ] && rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# A program that died leaves a closed pipe: writing to it fails instead of ending the script.
trap '' PIPE

[ -f "$program" ] || { fail "window_check.exe is built ($program)"; finish; }
[ -x "$wine" ] || { fail "Wine can run this build ($wine is missing: install wine64)"; finish; }
# Without the root that holds the 32-bit Wine the x86 build cannot run: the checks are skipped and
# say so.
if [ $arch = x86 ] && [ "$x86_mode" = none ]; then
    echo "SKIPPED: $(basename "$build"): $x86_missing"
    echo "$passed passed, $failed failed, 1 skipped"
    exit 0
fi

if start_xvfb; then pass "Xvfb accepts connections on $DISPLAY"; else fail "Xvfb starts"; finish; fi

prefix=$(mktemp -d /tmp/quorvel-windows.XXXXXX)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ $arch = x86 ] && x86_prefix "$prefix"
# Our own server, kept until we stop it, so that it is ours to stop by its PID.
$wineserver -f -p >/dev/null 2>&1 &
wineserver_pid=$!
rm -f "$output/wine.log"
boot_prefix() {
    if [ $arch = x86 ]; then
        [ -f "$prefix/system.reg" ]
    else
        timeout "$prefix_timeout" /usr/lib/wine/wine64 wineboot -i >>"$output/wine.log" 2>&1
    fi
}
# A prefix's first boot has been seen to fail once in a dozen runs; booting it again completes it.
if boot_prefix || boot_prefix; then
    pass "a new Wine prefix is made"
else
    fail "a new Wine prefix is made (see $output/wine.log)"
    finish
fi
cp /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" ||
    fail "Tahoma and Marlett are copied into the prefix"
# A virtual desktop draws the windows' frames and captions where no window manager runs.
wine_reg() { timeout "$command_timeout" "$wine" reg add "$@" /f >/dev/null 2>&1; }
if ! wine_reg 'HKCU\Software\Wine\Explorer' /v Desktop /d quorvel ||
    ! wine_reg 'HKCU\Software\Wine\Explorer\Desktops' /v quorvel /d 1024x768; then
    fail "the virtual desktop is set up"
fi

# The pass under way: its DPI, which prefixes its checks' lines and suffixes its screenshots.
dpi=
suffix=
pass_ok() { pass "[$dpi dpi]$emulated $1"; }
pass_failed() { fail "[$dpi dpi]$emulated $*"; }

# Photographs the window of a READY line.
declare -A taken
screenshot() {  # screenshot <form> <left> <top> <width> <height>
    local form=$1 left=$2 top=$3 width=$4 height=$5 png="$output/$1$suffix.png"
    if ! [[ "$form" =~ ^[a-z_]+$ && "$left$top$width$height" =~ ^[0-9]+$ ]]; then
        pass_failed "a READY line names a form and its rectangle ($*)"
        return
    fi
    taken[$form$suffix]=1
    rm -f "$png"
    if ! timeout "$command_timeout" import -display "$DISPLAY" -window root -crop "${width}x${height}+${left}+${top}" \
        +repage "$png" 2>/dev/null; then
        pass_failed "screenshot of $form"
        return
    fi
    local size colours
    size=$(timeout "$command_timeout" identify -format '%wx%h' "$png" 2>/dev/null)
    colours=$(timeout "$command_timeout" identify -format '%k' "$png" 2>/dev/null)
    if [ "$size" = "${width}x${height}" ] && [ "${colours:-0}" -gt 1 ]; then
        pass_ok "screenshot of $form: $png, $size pixels, $colours colours"
    else
        pass_failed "screenshot of $form: $png is ${width}x${height} pixels of more than one colour" \
            "(found ${size:-none}, ${colours:-0} colours)"
    fi
}

# The layout of each window, by pass, kind (made, rescaled) and form, from GEOMETRY lines.
declare -A geometry
record_geometry() {  # record_geometry <kind> <form> <layout...>
    local kind=$1 form=$2
    shift 2
    geometry[$dpi/$kind/$form]=$*
}

# Runs window_check.exe once at the display's DPI, answering each READY line after its screenshot.
run_program() {  # run_program <dpi> <screenshot suffix>
    dpi=$1 suffix=$2
    if ! wine_reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"; then
        pass_failed "the display is set to $dpi dpi"
        return
    fi
    coproc CHECK { timeout "$program_timeout" "$wine" "$program" 2>>"$output/wine.log"; }
    program_pid=$CHECK_PID
    local from_check to_check line summary='' silent=false status failures_reported form
    exec {from_check}<&"${CHECK[0]}" {to_check}>&"${CHECK[1]}"
    while :; do
        IFS= read -r -t "$line_timeout" line <&"$from_check"
        case $? in
        0) ;;
        1) break ;;
        *) silent=true && break ;;
        esac
        line=${line%$'\r'}
        case $line in
        "ok: "*) pass_ok "${line#ok: }" ;;
        "FAILED: "*) pass_failed "${line#FAILED: }" ;;
        "GEOMETRY "*)
            # shellcheck disable=SC2086 # the line's words are the arguments
            record_geometry ${line#GEOMETRY }
            ;;
        "READY "*)
            # shellcheck disable=SC2086 # the line's words are the arguments
            screenshot ${line#READY }
            { echo go >&"$to_check"; } 2>/dev/null
            ;;
        *" passed, "*" failed") summary=$line ;;
        *) echo "$line" ;;
        esac
    done
    # The program closed its output, so it is ending; or it fell silent, and is stopped.
    if $silent; then
        pass_failed "window_check.exe writes its next line within $line_timeout seconds"
        kill "$program_pid" 2>/dev/null
    fi
    wait "$program_pid"
    status=$?
    program_pid=
    exec {from_check}<&- {to_check}>&-
    # The exit status is the number of failed checks; anything else is a crash or a timeout.
    failures_reported=${summary##*, }
    failures_reported=${failures_reported% failed}
    if [ -n "$summary" ] && [ "$status" = "$failures_reported" ]; then
        pass_ok "window_check.exe ran to its end"
    else
        pass_failed "window_check.exe ran to its end (exit status $status, ${summary:-no summary}; see $output/wine.log)"
    fi
    for form in "${forms[@]}" "${photos[@]}"; do
        [ -n "${taken[$form$suffix]:-}" ] || pass_failed "window_check.exe showed the $form window for its screenshot"
    done
}

run_program 96 ""
# Twips must become more pixels, and the font grow with them, on a denser display.
run_program 144 "-144dpi"

# A window moved from a 96 to a 144 dpi monitor (WM_DPICHANGED, sent in the 96 dpi pass) is laid
# out as the same window made at 144 dpi (the 144 dpi pass, where the prefix's LogPixels says so).
for form in "${forms[@]}"; do
    rescaled=${geometry[96/rescaled/$form]:-none}
    made=${geometry[144/made/$form]:-none}
    if [ "$rescaled" != none ] && [ "$rescaled" = "$made" ]; then
        pass "[96 -> 144 dpi]$emulated $form: rescaled, the window is laid out as one made at 144 dpi"
    else
        fail "[96 -> 144 dpi]$emulated $form: rescaled, the window is laid out as one made at 144 dpi (rescaled: $rescaled; made: $made)"
    fi
    [ -n "${taken[${form}_rescaled]:-}" ] ||
        fail "[96 -> 144 dpi]$emulated window_check.exe showed the rescaled $form window for its screenshot"
done
finish
