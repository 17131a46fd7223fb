#!/usr/bin/env python3
"""Prints what each build's folder holds, read from installer/build_files.txt, for one installer.

build_files.py wix UPGRADE_CODE  a WiX fragment: a component per file and build, in the
                                 component group BuildFiles, each component's GUID named after
                                 the upgrade code and the component, so that it stays the same
build_files.py nsis              the NSIS macros BUILD_FILES and REMOVE_BUILD_FILES, of a build's
                                 folder name (x64 or x86)
"""
import pathlib
import sys
import uuid
from xml.sax.saxutils import quoteattr

ARCHES = (("x64", "yes"), ("x86", "no"))


def build_files():
    listing = pathlib.Path(__file__).with_name("build_files.txt")
    for line in listing.read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            component, name = line.split(None, 1)
            yield component, name.strip()


def wix(upgrade_code):
    namespace = uuid.UUID(upgrade_code)
    print('<?xml version="1.0" encoding="utf-8"?>')
    print('<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">')
    print("  <Fragment>")
    for arch, win64 in ARCHES:
        print(f'    <DirectoryRef Id="INSTALLFOLDER_{arch}">')
        for component, name in build_files():
            identifier = f"{component}_{arch}"
            guid = "{%s}" % str(uuid.uuid5(namespace, identifier)).upper()
            print(f'      <Component Id="{identifier}" Guid="{guid}" Win64="{win64}">')
            print(f'        <File Id="{identifier}" Name={quoteattr(name)} '
                  f'Source={quoteattr(f"$(var.Dist)/{arch}/{name}")} KeyPath="yes"/>')
            print("      </Component>")
        print("    </DirectoryRef>")
    print('    <ComponentGroup Id="BuildFiles">')
    for arch, _ in ARCHES:
        for component, _ in build_files():
            print(f'      <ComponentRef Id="{component}_{arch}"/>')
    print("    </ComponentGroup>")
    print("  </Fragment>")
    print("</Wix>")


def nsis():
    print("!macro BUILD_FILES arch")
    for _, name in build_files():
        print(f'    File "${{DIST}}\\${{arch}}\\{name}"')
    print("!macroend")
    print("!macro REMOVE_BUILD_FILES arch")
    for _, name in build_files():
        print(f'    Delete "$INSTDIR\\${{arch}}\\{name}"')
    print("!macroend")


if __name__ == "__main__":
    if sys.argv[1:2] == ["wix"] and len(sys.argv) == 3:
        wix(sys.argv[2])
    elif sys.argv[1:] == ["nsis"]:
        nsis()
    else:
        sys.exit(__doc__)
