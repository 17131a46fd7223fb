# Which Wine runs the x86 build, sourced by the Wine scripts. This machine's own wine64 runs the
# x64 build. The x86 build, and every prefix that holds both builds, use the Wine of the root that
# scripts/setup-x86-emulation.sh makes: its 32-bit programs run on the kernel where it can run
# them, under QEMU where it cannot. x86_mode says which: native, emulated, or none (no root).
x86_loaders=$(cd "$(dirname "${BASH_SOURCE[0]}")/x86" && pwd)
x86_wine=$x86_loaders/wine
x86_wine64=$x86_loaders/wine64
x86_wineserver=$x86_loaders/wineserver
x86_prefix_template=${QUORVEL_X86_STATE:-/var/lib/quorvel-x86}/root/prefix

if ! [ -f "$x86_prefix_template/system.reg" ] || ! timeout 120 "$x86_wine" --version >/dev/null 2>&1; then
    x86_mode=none
elif bash "$x86_loaders/../../../scripts/x86-kernel.sh"; then
    x86_mode=native
else
    x86_mode=emulated
fi

# How the x86 build's checks name it: under emulation each says so.
x86_note=
[ "$x86_mode" = emulated ] && x86_note=" (emulated)"
x86_tag=x86$x86_note
x86_missing="no 32-bit Wine: scripts/setup-x86-emulation.sh has not made its root"

# Wine finds a prefix's server by the folder's device and inode: a server still serving a removed
# prefix whose inode the new folder reuses would serve it too, with the old prefix's registry, and
# lose what is written when it ends. Such a server is ended first.
x86_prefix() {  # x86_prefix <folder>: a new prefix that holds both bitnesses
    rm -rf "$1"
    cp -a "$x86_prefix_template" "$1"
    WINEPREFIX=$1 timeout 60 "$x86_wineserver" -k >/dev/null 2>&1
    return 0
}
