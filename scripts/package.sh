#!/usr/bin/env bash
# Ships what scripts/build.sh built: photographs the windows under Wine (unless the photographs
# are newer than the program that shows them), typesets the user manual with them, and makes the
# two installers that carry both builds, the setup program and the Windows Installer package,
# signing the DLLs before they are packed and the installers after when a certificate is given
# (scripts/sign.sh). Leaves the manual and the installers in build/dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

manual_name="Quorvel User Manual.pdf"
numbers=$(sed -n 's/^#define QUORVEL_VERSION_NUMBERS //p' src/win32/product_version.h | tr -d ' ')
IFS=, read -r major minor _ revision <<<"$numbers"
version="$major.$minor.$revision"

shots=build/window_checks/x64
program=build/mingw-x64/src/win32/window_checks/window_check.exe
fresh=true
# The 144 dpi photographs print sharply at the manual's sizes; People & Resources is shown with
# a name typed into its Find box and availability beside the names.
pictures=(main people_resources_found about info order)
for picture in "${pictures[@]}"; do
    [ "$shots/$picture-144dpi.png" -nt "$program" ] || fresh=false
done
if ! $fresh; then
    bash tests/wine/windows/run_window_checks.sh build/mingw-x64 "$shots" >build/window_checks-x64.log 2>&1 || {
        echo "package: the window checks failed, so the manual has no pictures (build/window_checks-x64.log)" >&2
        tail -20 build/window_checks-x64.log >&2
        exit 1
    }
fi

# The manual's source and the photographs side by side, as its image paths expect.
work=build/manual
rm -rf "$work"
mkdir -p "$work/images"
cp docs/manual/* "$work/"
for picture in "${pictures[@]}"; do cp "$shots/$picture-144dpi.png" "$work/images/$picture.png"; done
(cd "$work" && rst2pdf --stylesheets=manual.yaml --output="$manual_name" manual.rst)
for arch in x64 x86; do cp "$work/$manual_name" "build/dist/$arch/"; done
cp "$work/$manual_name" build/dist/

# The DLLs are signed before they are packed, so the installers hold signed ones, the package's
# custom action among them.
bash scripts/sign.sh build/dist/x64/Quorvel.dll build/dist/x86/Quorvel.dll build/installer/quorvel_actions.dll

mkdir -p build/installer
convert resources/about.bmp -define icon:auto-resize=48,32,16 build/installer/quorvel.ico
setup=build/dist/Quorvel-$version-setup.exe
package=build/dist/Quorvel-$version.msi
source installer/product_facts.sh
python3 installer/build_files.py nsis >build/installer/build_files.nsh
makensis -V2 -DVERSION="$version" -DPUBLISHER="$publisher" -DDIST="$root/build/dist" -DICON="$root/build/installer/quorvel.ico" \
    -DBUILD_FILES="$root/build/installer/build_files.nsh" -DUPGRADE_CODE="$upgrade_code" -DOUTFILE="$root/$setup" installer/quorvel.nsi
bash installer/make_msi.sh "$version" "$package"

# The installers, once packed; an unsigned build has said so above.
bash scripts/sign.sh --quiet "$setup" "$package"

echo "package: build/dist/$manual_name, $setup and $package"
