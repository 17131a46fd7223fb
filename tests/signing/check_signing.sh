#!/bin/bash
# Checks scripts/sign.sh on copies of the built DLLs (the package's custom action among them), the
# setup program and the .msi if one was built, with a throw-away self-signed code-signing
# certificate: every signature verifies against that certificate, a changed byte breaks it, a wrong
# password, a missing certificate or an unreachable timestamp server leaves the file as it was, and
# with no certificate the files stay as built. Also checks that the version resources, and the
# package's summary and properties, name the version and publisher that
# src/win32/product_version.h holds.
# Usage: check_signing.sh
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 2

source tests/wine/tally.sh
# A release certificate in the environment is not this check's to use.
unset QUORVEL_SIGN_PFX QUORVEL_SIGN_PASSWORD QUORVEL_SIGN_TIMESTAMP

header=src/win32/product_version.h
macro() { sed -n "s/^#define $1 \"\\{0,1\\}\\([^\"]*\\)\"\\{0,1\\}$/\\1/p" "$header"; }
product=$(macro QUORVEL_PRODUCT_NAME)
publisher=$(macro QUORVEL_PUBLISHER)
version_text=$(macro QUORVEL_VERSION_TEXT)
numbers=$(macro QUORVEL_VERSION_NUMBERS)
IFS=', ' read -r major minor _ revision <<<"$numbers"
version="$major.$minor.$revision"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The certificate names the publisher, as a bought one would.
make_certificate() {  # make_certificate <folder> <password>
    mkdir -p "$1"
    openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=$publisher" \
        -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
        -keyout "$1/key.pem" -out "$1/certificate.pem" 2>/dev/null &&
        openssl pkcs12 -export -inkey "$1/key.pem" -in "$1/certificate.pem" -passout "pass:$2" -out "$1/certificate.pfx"
}
password="throw-away pass"
make_certificate "$work/certificate" "$password" || { echo "FAILED: openssl makes a code-signing certificate"; exit 1; }
make_certificate "$work/stranger" "another pass" || { echo "FAILED: openssl makes a second certificate"; exit 1; }

builds=(build/dist/x64/Quorvel.dll build/dist/x86/Quorvel.dll build/installer/quorvel_actions.dll
        "build/dist/Quorvel-$version-setup.exe")
msi="build/dist/Quorvel-$version.msi"
if [ -f "$msi" ]; then builds+=("$msi"); else skip "no $msi was built, so none is signed"; fi

copies=()
for build in "${builds[@]}"; do
    copy="$work/copies/$build"
    mkdir -p "$(dirname "$copy")"
    if cp "$build" "$copy" 2>/dev/null; then copies+=("$copy"); else fail "$build was built"; fi
done
original() { printf '%s' "${1#"$work/copies/"}"; }
unchanged() {  # unchanged <copy>: byte-identical to its build, and nothing left beside it
    cmp -s "$1" "$(original "$1")" && [ -z "$(find "$(dirname "$1")" -name '*.signing.*')" ]
}

# Without a certificate: nothing signed, and one notice for all the files.
unsigned=$(bash scripts/sign.sh "${copies[@]}" 2>&1)
expect "without QUORVEL_SIGN_PFX sign.sh succeeds" test $? -eq 0
expect "without QUORVEL_SIGN_PFX the unsigned build is announced once for ${#copies[@]} files" \
    test "$(grep -c 'unsigned build' <<<"$unsigned")" -eq 1
quiet=$(bash scripts/sign.sh --quiet "${copies[@]}" 2>&1)
expect "with --quiet an unsigned build is not announced again" test -z "$quiet"
for copy in "${copies[@]}"; do
    expect "without QUORVEL_SIGN_PFX $(original "$copy") stays byte-identical" unchanged "$copy"
done

# Bad input: a clear message, a failure, and the file as it was.
refused() {  # refused <description> <expected message> <pfx> <password> [<timestamp server>]
    local message
    message=$(QUORVEL_SIGN_PFX=$3 QUORVEL_SIGN_PASSWORD=$4 QUORVEL_SIGN_TIMESTAMP=${5:-} \
        bash scripts/sign.sh "${copies[0]}" 2>&1)
    expect "$1 fails" test $? -ne 0
    expect "$1 says \"$2\"" grep -qF "$2" <<<"$message"
    expect "$1 leaves $(original "${copies[0]}") unchanged" unchanged "${copies[0]}"
}
refused "a wrong password" "wrong QUORVEL_SIGN_PASSWORD" "$work/certificate/certificate.pfx" "not the password"
refused "a missing certificate file" "cannot read the certificate" "$work/certificate/missing.pfx" "$password"
# Nothing listens on the discard port of this machine.
refused "an unreachable timestamp server" "RFC 3161 timestamping failed" "$work/certificate/certificate.pfx" "$password" \
    http://127.0.0.1:9/

QUORVEL_SIGN_PFX="$work/certificate/certificate.pfx" QUORVEL_SIGN_PASSWORD=$password \
    bash scripts/sign.sh "${copies[@]}" >"$work/sign.log" 2>&1
expect "sign.sh signs ${#copies[@]} files with the certificate" test $? -eq 0

verifies() {  # verifies <file> <certificate.pem>
    osslsigncode verify -CAfile "$2" -in "$1" >"$work/verify.log" 2>&1 &&
        grep -q '^Signature verification: ok' "$work/verify.log"
}
fails_verification() { ! verifies "$@"; }
change_one_byte() {  # change_one_byte <file>: the middle byte, inverted
    local offset byte
    offset=$(( $(stat -c %s "$1") / 2 ))
    byte=$(od -An -tu1 -j "$offset" -N1 "$1" | tr -d ' ')
    printf "\\$(printf %03o $((byte ^ 255)))" | dd of="$1" bs=1 seek="$offset" conv=notrunc 2>/dev/null
}
for copy in "${copies[@]}"; do
    name=$(original "$copy")
    expect "$name verifies against the certificate" verifies "$copy" "$work/certificate/certificate.pem"
    expect "$name's signature names \"$product\" and its signer $publisher" \
        grep -qzE "Subject: /CN=$publisher.*Text description: $product" "$work/verify.log"
    expect "$name does not verify against another certificate" \
        fails_verification "$copy" "$work/stranger/certificate.pem"
    cp "$copy" "$work/tampered"
    change_one_byte "$work/tampered"
    expect "$name with one byte changed fails verification" \
        fails_verification "$work/tampered" "$work/certificate/certificate.pem"
done

# The version resources, read back from the built files.
resource_value() {  # resource_value <file> <key>
    x86_64-w64-mingw32-windres -i "$1" -O rc 2>/dev/null | sed -n "s/^ *VALUE \"$2\", \"\\(.*\\)\"$/\\1/p"
}
for dll in build/dist/x64/Quorvel.dll build/dist/x86/Quorvel.dll; do
    expect "$dll names the publisher \"$publisher\"" test "$(resource_value "$dll" CompanyName)" = "$publisher"
    expect "$dll names the product \"$product\"" test "$(resource_value "$dll" ProductName)" = "$product"
    expect "$dll names the product version \"$version_text\"" test "$(resource_value "$dll" ProductVersion)" = "$version_text"
    fixed=$(x86_64-w64-mingw32-windres -i "$dll" -O rc 2>/dev/null | sed -n 's/^ *PRODUCTVERSION //p')
    expect "$dll's fixed product version is $numbers" test "$fixed" = "$numbers"
done
setup="build/dist/Quorvel-$version-setup.exe"
expect "$setup names the publisher \"$publisher\"" test "$(resource_value "$setup" CompanyName)" = "$publisher"
expect "$setup names the product version \"$version\"" test "$(resource_value "$setup" ProductVersion)" = "$version"
# The package's summary information and properties, as msiinfo reads them.
if [ -f "$msi" ]; then
    expect "$msi's summary names the author \"$publisher\"" grep -qx "Author: $publisher" <(msiinfo suminfo "$msi")
    expect "$msi's summary names version $version" grep -qx "Subject: .* $version" <(msiinfo suminfo "$msi")
    properties=$(msiinfo export "$msi" Property | tr -d '\r')
    expect "$msi names the manufacturer \"$publisher\"" grep -qxF "$(printf 'Manufacturer\t%s' "$publisher")" <<<"$properties"
    expect "$msi names the product version \"$version\"" grep -qxF "$(printf 'ProductVersion\t%s' "$version")" <<<"$properties"
fi

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
