#!/usr/bin/env bash
# Makes the 32-bit Wine that runs the x86 build's checks, from Debian's packages only:
#  1. where the kernel cannot run 32-bit programs, registers QEMU's user-mode emulator for them;
#  2. a Debian root with Wine of the same version as this machine's wine64, 32- and 64-bit, whose
#     packages agree with each other whatever this machine's own have been upgraded to;
#  3. in it, the library that mends QEMU's differences from the kernel (tests/wine/x86/qemu_fixes/);
#  4. a prefix that holds both bitnesses, which the checks copy instead of booting their own.
# Each step says how long it took; a step whose result is in place is skipped.
# QUORVEL_X86_EMULATE=1 registers the emulator even where the kernel runs 32-bit programs itself,
# to measure the emulated checks on such a machine. The root lives in QUORVEL_X86_STATE
# (/var/lib/quorvel-x86 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
repository=$(pwd)

state=${QUORVEL_X86_STATE:-/var/lib/quorvel-x86}
root=$state/root
handler=/proc/sys/fs/binfmt_misc/qemu-i386
in_root=tests/wine/x86/enter-root.sh
root_packages=(wine64 wine32:i386 gcc-multilib)

step() {  # step <what> <command...>
    local what=$1 started
    shift
    started=$EPOCHREALTIME
    "$@"
    awk -v what="$what" -v from="$started" -v to="$EPOCHREALTIME" \
        'BEGIN { printf "setup-x86-emulation: %s: %.1f s\n", what, to - from }'
}

retry() {  # retry <command...>: a mirror caught mid-sync recovers within a minute or so
    local attempt
    for attempt in 1 2 3 4; do
        "$@" && return 0
        [ $attempt -lt 4 ] && sleep $((attempt * 10))
    done
    return 1
}

register_emulator() {
    if [ "${QUORVEL_X86_EMULATE:-0}" != 1 ] && bash scripts/x86-kernel.sh; then
        echo "setup-x86-emulation: the kernel runs 32-bit programs itself; no emulator"
        return
    fi
    if ! [ -x /usr/bin/qemu-i386-static ]; then
        DEBIAN_FRONTEND=noninteractive retry apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
    fi
    [ -f /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    if [ -f "$handler" ]; then
        grep -qx 'flags: F' "$handler" || { echo "setup-x86-emulation: $handler exists without the F flag" >&2; return 1; }
        echo 1 >"$handler"
        return
    fi
    # F: the kernel opens the emulator now, so that it also serves programs inside the root.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
        >/proc/sys/fs/binfmt_misc/register
}

# The Debian mirror this machine's own packages come from.
debian_mirror() {
    {
        sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null || true
        awk '$1 == "deb" { print $2 }' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true
    } | grep -v security | head -1
}

release() { . /etc/os-release && echo "$VERSION_CODENAME"; }

make_root() {
    local ready=$state/root-packages
    if [ -f "$ready" ] && [ "$(cat "$ready")" = "${root_packages[*]}" ]; then
        echo "setup-x86-emulation: the root is in place"
        return
    fi
    local mirror suite
    mirror=$(debian_mirror)
    suite=$(release)
    [ -n "$mirror" ] || { echo "setup-x86-emulation: no Debian mirror in this machine's apt sources" >&2; return 1; }
    # Nothing is ever mounted below the root outside a namespace of enter-root.sh's.
    rm -rf "$root"
    mkdir -p "$state"
    retry debootstrap --arch=amd64 --variant=minbase "$suite" "$root" "$mirror" >"$state/debootstrap.log" 2>&1 || {
        echo "setup-x86-emulation: debootstrap failed (see $state/debootstrap.log)" >&2
        tail -5 "$state/debootstrap.log" >&2
        return 1
    }
    # The release's own packages only, so that the two architectures' libraries agree.
    echo "deb $mirror $suite main" >"$root/etc/apt/sources.list"
    rm -f "$root"/etc/apt/sources.list.d/*
    bash "$in_root" dpkg --add-architecture i386
    retry bash "$in_root" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive retry bash "$in_root" apt-get install -y -qq --no-install-recommends \
        "${root_packages[@]}" >/dev/null
    bash "$in_root" apt-get clean
    echo "${root_packages[*]}" >"$ready"
}

same_wine_version() {
    local ours theirs
    ours=$(dpkg-query -W -f='${Version}' wine64)
    theirs=$(bash "$in_root" dpkg-query -W -f='${Version}' wine32:i386)
    if [ "$ours" != "$theirs" ]; then
        echo "setup-x86-emulation: the root's wine32 is $theirs, this machine's wine64 $ours" >&2
        return 1
    fi
    echo "setup-x86-emulation: Wine $ours, 32- and 64-bit"
}

# The fixes go into the 32-bit processes; the 64-bit processes of the root, which need none,
# preload an empty library of the same name.
build_fixes() {
    local sources=tests/wine/x86/qemu_fixes stamp=$state/qemu-fixes.sha256
    if [ -f "$stamp" ] && sha256sum --status -c "$stamp" 2>/dev/null; then
        echo "setup-x86-emulation: the fixes library is built"
        return
    fi
    local flags=(-O2 -Wall -Werror -fPIC -shared -fno-stack-protector)
    bash "$in_root" gcc -m32 "${flags[@]}" -o /usr/lib/i386-linux-gnu/quorvel-qemu-fixes.so \
        "$repository/$sources"/*.c
    bash "$in_root" gcc -m64 "${flags[@]}" -o /usr/lib/x86_64-linux-gnu/quorvel-qemu-fixes.so -x c /dev/null
    sha256sum "$sources"/* >"$stamp"
}

# Windows keeps a 32-bit program's per-user CLSID and Interface keys apart, under
# Software\Classes\Wow6432Node, and shares the rest of Software\Classes. Wine 8 redirects them only
# where that key exists when the server loads the user's hive, and then all of them but those
# linked back from it: here the type libraries and the add-in's ProgID.
share_class_keys() {  # share_class_keys <user.reg> <key name...>
    local hive=$1 user name target
    shift
    user=$(sed -n 's/^;; All keys relative to //p' "$hive" | sed 's/\\\\/\\/g')
    for name in "$@"; do
        target=$(printf '\\%s\\Software\\Classes\\%s' "$user" "$name" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v |
            tr -s ' \n' ',' | sed -e 's/^,//' -e 's/,$//')
        printf '\n[Software\\\\Classes\\\\Wow6432Node\\\\%s] %s\n#link\n"SymbolicLinkValue"=hex(6):%s\n' \
            "$name" "$(date +%s)" "$target" >>"$hive"
    done
}

# Both bitnesses in one prefix, as on 64-bit Windows; the checks copy it (from $root/prefix).
make_prefix() {
    if grep -qF 'Software\\Classes\\Wow6432Node\\TypeLib]' "$root/prefix/user.reg" 2>/dev/null; then
        echo "setup-x86-emulation: the prefix is in place"
        return
    fi
    rm -rf "$root/prefix"
    local boot=(env WINEPREFIX=/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=")
    # A prefix's first boot has been seen to fail now and then; booting it again completes it.
    timeout 900 bash "$in_root" "${boot[@]}" /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 ||
        timeout 900 bash "$in_root" "${boot[@]}" /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    timeout 300 bash "$in_root" "${boot[@]}" /usr/lib/wine/wineserver -w
    share_class_keys "$root/prefix/user.reg" TypeLib Quorvel.Connect
    [ -d "$root/prefix/drive_c/windows/syswow64" ] || { echo "setup-x86-emulation: the prefix has no 32-bit half" >&2; return 1; }
}

step "emulator for 32-bit programs" register_emulator
step "root with Wine" make_root
step "Wine versions compared" same_wine_version
step "fixes library" build_fixes
step "prefix with both bitnesses" make_prefix
