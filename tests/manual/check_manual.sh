#!/bin/bash
# Checks the built user manual: a PDF that poppler reads, with every chapter of its source findable
# as text, a picture for every figure, and the very file name the About dialog opens, beside each
# build. scripts/package.sh builds it.
# Usage: check_manual.sh
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 2

passed=0
failed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
fail() { echo "FAILED: $1"; failed=$((failed + 1)); }

source=docs/manual/manual.rst
# The name the About dialog's manual link asks the shell to open, beside the library.
name=$(grep -o '\\\\[^"\\]*\.pdf"' src/dialogs/about_form.cpp | tr -d '\\"' | head -1)
pdf="build/dist/$name"

if [ -n "$name" ] && pdfinfo "$pdf" >"/tmp/check_manual.$$" 2>&1 && grep -q '^Pages: *[1-9]' "/tmp/check_manual.$$"; then
    pass "pdfinfo reads $pdf ($(grep '^Pages' "/tmp/check_manual.$$" | tr -s ' '))"
else
    fail "pdfinfo reads build/dist/${name:-(no file name found in the About dialog)}"
fi
rm -f "/tmp/check_manual.$$"

for arch in x64 x86; do
    if cmp -s "$pdf" "build/dist/$arch/$name"; then pass "$arch: the manual lies beside Quorvel.dll as \"$name\""; else fail "$arch: the manual lies beside Quorvel.dll as \"$name\""; fi
done

# Chapters are the source's titles underlined with '='; the text layer must hold each.
text=$(pdftotext -layout "$pdf" - 2>/dev/null | tr -s ' \n' '  ')
chapters=0
while IFS= read -r chapter; do
    chapters=$((chapters + 1))
    if grep -qF -- "$chapter" <<<"$text"; then pass "the text holds the chapter \"$chapter\""; else fail "the text holds the chapter \"$chapter\""; fi
done < <(awk 'prev != "" && /^=+$/ && length($0) >= length(prev) && prev !~ /^=+$/ {print prev} {prev = $0}' "$source" | sed 1d)
[ "$chapters" -ge 11 ] || fail "the source has its eleven chapters (found $chapters)"

# What administrators type and set must reach the page as written (outside literal text, rst2pdf
# drops backslashes) and must name what registration writes.
progId=$(sed -n 's/.*ProgId = "\([^"]*\)".*/\1/p' src/win32/registration_data.h)
loadBehavior=$(sed -n 's/.*"LoadBehavior", uint32_t{\([0-9]*\)}.*/\1/p' src/win32/registration_data.cpp)
[ -n "$progId" ] && [ -n "$loadBehavior" ] || fail "registration_data names the ProgID and the LoadBehavior value"
while IFS= read -r phrase; do
    if grep -qF -- "$phrase" <<<"$text"; then pass "the text holds \"$phrase\""; else fail "the text holds \"$phrase\""; fi
done <<EOF
Deploying Quorvel and keeping it enabled
msiexec /i Quorvel-<version>.msi ALLUSERS=1 /qn
msiexec /x {PRODUCT-CODE} /qn
msiexec /fa {PRODUCT-CODE} /qn
\\\\server\\software\\Quorvel-<version>.msi
HKLM\\Software\\Wow6432Node\\Microsoft\\Office\\Outlook\\Addins\\$progId
HKCU\\Software\\Policies\\Microsoft\\Office\\16.0\\Outlook\\Resiliency\\AddinList $progId = 1
HKCU\\Software\\Microsoft\\Office\\16.0\\Outlook\\Resiliency\\DoNotDisableAddinList $progId = 1
certutil -addstore TrustedPublisher
Quorvel writes LoadBehavior = $loadBehavior (a DWORD)
Quorvel's files are in use by: OUTLOOK.EXE (process 4312)
A later version of Quorvel is installed already.
EOF

figures=$(grep -c '^\.\. figure:: images/' "$source")
images=$(pdfimages -list "$pdf" 2>/dev/null | awk 'NR > 2 && $3 == "image"' | wc -l)
if [ "$figures" -ge 5 ] && [ "$images" -ge "$figures" ]; then
    pass "pdfimages counts $images pictures for the $figures windows shown"
else
    fail "pdfimages counts a picture for each of the $figures windows shown (found $images)"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
