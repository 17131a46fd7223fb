#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs itself, 1 when it does not.
# Once a QEMU handler for i386 programs is registered, every 32-bit program goes through it: the
# handler is registered only where the kernel refused them, and a kernel does not change until the
# machine restarts, which also clears the handler.
set -euo pipefail

handler=/proc/sys/fs/binfmt_misc/qemu-i386
if [ -f "$handler" ] && head -1 "$handler" | grep -qx enabled; then
    exit 1
fi

# The smallest i386 program: an ELF header, one loadable segment, and exit(0) through int 0x80.
program=$(mktemp /tmp/quorvel-i386.XXXXXX)
trap 'rm -f "$program"' EXIT
{
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    printf '\x31\xdb\x31\xc0\x40\xcd\x80'
} >"$program"
chmod +x "$program"
"$program" 2>/dev/null
