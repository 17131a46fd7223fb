#!/usr/bin/env python3
"""Checks an Outlook template with olefile, an independent compound-file reader.

usage: check_oft.py FILE [--subject TEXT] [--message-class TEXT]
Exits non-zero and says why on the first mismatch.
"""
import argparse
import struct
import sys

import olefile

TEMPLATE_CLSID = "0006F046-0000-0000-C000-000000000046"
SUBJECT_TAG = 0x0037001F
MESSAGE_CLASS_TAG = 0x001A001F
READABLE_WRITABLE = 6
NAMEID_STORAGE = "__nameid_version1.0"
NAMEID_STREAMS = ("__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102")


def fail(message):
    print(f"check_oft: {message}", file=sys.stderr)
    sys.exit(1)


def property_entries(data):
    if len(data) < 32 or (len(data) - 32) % 16:
        fail(f"property stream has a bad length: {len(data)}")
    if data[:32] != bytes(32):
        fail("property header of a message without recipients or attachments should be zero")
    entries = {}
    for offset in range(32, len(data), 16):
        tag, flags, value = struct.unpack_from("<III", data, offset)
        if tag in entries:
            fail(f"property 0x{tag:08X} listed twice")
        entries[tag] = (flags, value)
    return entries


def sibling_key(entry):
    return (len(entry.name), entry.name.upper())


def check_sibling_trees(ole):
    """Readers search siblings as a binary tree: in-order names must ascend, no red node under a red one."""
    for parent in ole.direntries:
        if parent is None or parent.entry_type not in (olefile.STGTY_STORAGE, olefile.STGTY_ROOT):
            continue
        names = []
        stack, sid, parent_red = [], parent.sid_child, {}
        while stack or sid != olefile.NOSTREAM:
            while sid != olefile.NOSTREAM:
                stack.append(sid)
                entry = ole.direntries[sid]
                for child in (entry.sid_left, entry.sid_right):
                    if entry.color == 0 and child != olefile.NOSTREAM and ole.direntries[child].color == 0:
                        fail(f"red entry {entry.name!r} has a red child")
                sid = entry.sid_left
            entry = ole.direntries[stack.pop()]
            names.append(sibling_key(entry))
            sid = entry.sid_right
        if names != sorted(names) or len(set(names)) != len(names):
            fail(f"children of {parent.name!r} are not in sibling order: {names}")


def check_string(ole, entries, tag, expected):
    name = f"__substg1.0_{tag:08X}"
    if ole.get_type(name) != olefile.STGTY_STREAM:
        fail(f"missing stream {name}")
    raw = ole.openstream(name).read()
    text = raw.decode("utf-16-le")
    if text != expected:
        fail(f"{name} holds {text!r}, expected {expected!r}")
    if tag not in entries:
        fail(f"property 0x{tag:08X} missing from the property stream")
    flags, size = entries[tag]
    if flags != READABLE_WRITABLE or size != len(raw) + 2:
        fail(f"property 0x{tag:08X} entry has flags {flags} size {size}, stream is {len(raw)} bytes")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--subject", default="Quorvel_Settings1_")
    parser.add_argument("--message-class", default="IPM.Appointment")
    args = parser.parse_args()

    if not olefile.isOleFile(args.file):
        fail("not a compound file")
    # Structural defects that olefile only logs by default become errors here.
    ole = olefile.OleFileIO(args.file, raise_defects=olefile.DEFECT_INCORRECT)
    if ole.root.clsid != TEMPLATE_CLSID:
        fail(f"root CLSID is {ole.root.clsid}, expected {TEMPLATE_CLSID}")
    if ole.get_type(NAMEID_STORAGE) != olefile.STGTY_STORAGE:
        fail(f"missing storage {NAMEID_STORAGE}")
    for stream in NAMEID_STREAMS:
        if ole.get_type(f"{NAMEID_STORAGE}/{stream}") != olefile.STGTY_STREAM:
            fail(f"missing stream {NAMEID_STORAGE}/{stream}")

    check_sibling_trees(ole)
    entries = property_entries(ole.openstream("__properties_version1.0").read())
    check_string(ole, entries, SUBJECT_TAG, args.subject)
    check_string(ole, entries, MESSAGE_CLASS_TAG, args.message_class)
    for tag in entries:
        if tag & 0xFFFF in (0x001F, 0x001E, 0x0102) and not ole.exists(f"__substg1.0_{tag:08X}"):
            fail(f"property 0x{tag:08X} has no value stream")
    print(f"check_oft: {args.file} OK ({len(entries)} properties)")


if __name__ == "__main__":
    main()
