#!/usr/bin/env bash
# Makes the Windows Installer package from installer/quorvel.wxs, the files build_files.py prints
# from installer/build_files.txt and the registry entries that quorvel-wix-registry prints from the
# registration table. Run from the source root after the builds, with build/dist,
# build/installer/quorvel.ico and build/installer/quorvel_actions.dll in place.
# Usage: installer/make_msi.sh VERSION OUTPUT.msi
set -euo pipefail
version=$1
output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build/native/quorvel-wix-registry >"$work/registry.wxs"
source installer/product_facts.sh
# The product code is named after the upgrade code and the version: the same for every build of one version.
product_code=$(python3 -c 'import sys, uuid; print("{%s}" % str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    "$upgrade_code" "$version")
python3 installer/build_files.py wix "$upgrade_code" >"$work/files.wxs"
# wixl reads the sources' files relative to the current folder.
wixl -a x64 -D Version="$version" -D Publisher="$publisher" -D ProductCode="$product_code" -D Dist=build/dist -D Icon=build/installer/quorvel.ico -D Actions=build/installer/quorvel_actions.dll \
    -o "$output" installer/quorvel.wxs "$work/files.wxs" "$work/registry.wxs" 2> >(grep -v -e '^$' -e 'GLib-GObject-WARNING' >&2)

# What wixl cannot write, written into its tables. Windows Installer's HKMU (HKCU per user, HKLM
# per machine) is root -1; wixl writes 4.
mkdir "$work/tables"
msiinfo export "$output" Registry |
    awk -F'\t' 'BEGIN { OFS = "\t" } NR > 3 && $2 == 4 { $2 = -1 } { print }' >"$work/tables/Registry.idt"
# A repair, a removal or an upgrade finds the folder where the installed folder component lies
# (wixl has no ComponentSearch): the installer's own record, no key of ours.
folder_component=$(sed -n 's/.*<Component Id="InstallFolder" Guid="\([^"]*\)".*/\1/p' installer/quorvel.wxs)
{
    msiinfo export "$output" AppSearch
    printf 'INSTALLFOLDER\tInstalledFolder\r\n'
} >"$work/tables/AppSearch.idt"
printf 'Signature_\tComponentId\tType\r\ns72\ts38\tI2\r\nCompLocator\tSignature_\r\nInstalledFolder\t%s\t0\r\n' \
    "$folder_component" >"$work/tables/CompLocator.idt"
msibuild "$output" -i "$work/tables/Registry.idt" "$work/tables/AppSearch.idt" "$work/tables/CompLocator.idt"
