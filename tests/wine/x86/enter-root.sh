#!/usr/bin/env bash
# Runs a command inside the root that holds the 32-bit Wine (scripts/setup-x86-emulation.sh makes
# it), with this machine's /dev, /proc, /tmp, the repository and the current folder at the same
# paths, so that a path means the same on both sides. The mounts belong to a namespace of the
# command's own and end with it. Where QEMU runs the 32-bit programs, the library that mends its
# differences from the kernel is preloaded.
# Usage: enter-root.sh COMMAND [ARGUMENT...]
set -euo pipefail

root=${QUORVEL_X86_STATE:-/var/lib/quorvel-x86}/root
repository=$(cd "$(dirname "$0")/../../.." && pwd)
[ -x "$root/bin/sh" ] || { echo "enter-root.sh: no root at $root: run scripts/setup-x86-emulation.sh" >&2; exit 127; }

# Preloaded inside the root only, once built there; the dynamic linker picks the build that
# matches each program's bitness.
preload=
if [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ] && head -1 /proc/sys/fs/binfmt_misc/qemu-i386 | grep -qx enabled &&
    [ -f "$root/usr/lib/i386-linux-gnu/quorvel-qemu-fixes.so" ] && [ -f "$root/usr/lib/x86_64-linux-gnu/quorvel-qemu-fixes.so" ]; then
    preload='/usr/$LIB/quorvel-qemu-fixes.so'
fi

mkdir -p "$root$repository"
# shellcheck disable=SC2016 # expanded inside the namespace
exec unshare --mount --propagation private /bin/bash -c '
    set -e
    root=$1 repository=$2 folder=$3 preload=$4
    shift 4
    mount --rbind /dev "$root/dev"
    mount -t proc proc "$root/proc"
    mount --rbind /tmp "$root/tmp"
    mount --bind "$repository" "$root$repository"
    exec chroot "$root" /usr/bin/env ${preload:+LD_PRELOAD=$preload} /bin/sh -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$folder" "$@"
' enter-root "$root" "$repository" "$PWD" "$preload" "$@"
