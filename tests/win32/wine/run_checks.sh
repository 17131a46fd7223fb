#!/bin/bash
# Registers a built Quorvel.dll in a Wine prefix, runs the COM checks against it and
# unregisters it again. Usage: run_checks.sh <build folder of a mingw preset>
# 32-bit builds need wine32:i386. WINEPREFIX may name the prefix to use.
set -uo pipefail

build=$(cd "${1:?build folder}" && pwd)
if grep -q "x86_64-w64-mingw32" "$build/CMakeCache.txt"; then
    bits=64 wine=/usr/lib/wine/wine64 platform=win64
else
    bits=32 wine=/usr/lib/wine/wine platform=win32
fi
export WINEPREFIX=${WINEPREFIX:-/tmp/quorvel-checks-$bits}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
windows_path() { echo "Z:${1//\//\\}"; }

failures=0
expect() {  # expect <description> <command...>
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

if [ ! -d "$WINEPREFIX" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
fi
# Window code runs without a display; nothing is drawn.
$wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
# Office's ribbon type library, as a stand-in registered under its ID outside the DLL's folder.
stub_dir="$WINEPREFIX/drive_c/office-ribbon-types"
mkdir -p "$stub_dir"
cp "$build/src/win32/office_types.tlb" "$stub_dir/"
office='HKLM\Software\Classes\TypeLib\{2DF8D04C-5BFA-101B-BDE5-00AA0044DE52}\2.4'
for view in /reg:64 /reg:32; do
    $wine reg add "$office\\0\\$platform" /ve /d 'C:\office-ribbon-types\office_types.tlb' /f $view >/dev/null 2>&1
    $wine reg add "$office\\FLAGS" /ve /d 0 /f $view >/dev/null 2>&1
done
$wineserver -w

dll="$build/src/win32/Quorvel.dll"
addin='HKCU\Software\Microsoft\Office\Outlook\Addins\Quorvel.Connect'
expect "regsvr32 registers the DLL" $wine regsvr32 /s "$(windows_path "$dll")"
expect "the Outlook add-in entry loads at start-up" \
    bash -c "$wine reg query '$addin' /v LoadBehavior | grep -q 0x3"
expect "the ProgID names the class" $wine reg query 'HKCU\Software\Classes\Quorvel.Connect\CLSID'

checks="$build/src/win32/wine_checks"
$wine "$checks/connect_check.exe" "$(windows_path "$dll")" || failures=$((failures + $?))
$wine "$checks/backend_check.exe" || failures=$((failures + $?))

expect "regsvr32 /u unregisters the DLL" $wine regsvr32 /s /u "$(windows_path "$dll")"
expect "the add-in entry is gone" bash -c "! $wine reg query '$addin'"
expect "the ProgID is gone" bash -c "! $wine reg query 'HKCU\\Software\\Classes\\Quorvel.Connect'"
$wineserver -w

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
