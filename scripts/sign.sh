#!/usr/bin/env bash
# Signs each given DLL, .exe or .msi in place with the PKCS#12 certificate QUORVEL_SIGN_PFX (its
# password in QUORVEL_SIGN_PASSWORD), timestamped by the RFC 3161 server QUORVEL_SIGN_TIMESTAMP
# when one is named. Without a certificate it signs nothing and says so, unless --quiet: the
# build's first call has said it already.
# Usage: sign.sh [--quiet] FILE...
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

quiet=false
if [ "${1:-}" = --quiet ]; then
    quiet=true
    shift
fi

if [ -z "${QUORVEL_SIGN_PFX:-}" ]; then
    $quiet || echo "sign: unsigned build: QUORVEL_SIGN_PFX is not set"
    exit 0
fi
if [ ! -r "$QUORVEL_SIGN_PFX" ]; then
    echo "sign: cannot read the certificate QUORVEL_SIGN_PFX=$QUORVEL_SIGN_PFX; nothing signed" >&2
    exit 1
fi

for file in "$@"; do
    [ -f "$file" ] || { echo "sign: there is no file $file; nothing signed" >&2; exit 1; }
done

# The signature shows the product's name as the version resource has it, and the About dialog's address.
name=$(sed -n 's/^#define QUORVEL_PRODUCT_NAME "\(.*\)"$/\1/p' "$root/src/win32/product_version.h")
address=$(sed -n 's/.*WebAddress = "\(.*\)";$/\1/p' "$root/src/dialogs/about_form.h")
timestamp=()
[ -n "${QUORVEL_SIGN_TIMESTAMP:-}" ] && timestamp=(-ts "$QUORVEL_SIGN_TIMESTAMP")

# The signed copy is made in a folder beside the file (osslsigncode writes only new files) and
# takes the file's place only once complete.
work=""
trap 'rm -rf "$work"' EXIT
for file in "$@"; do
    work=$(mktemp -d "$file.signing.XXXXXX")
    signed="$work/$(basename "$file")"
    # The password goes through a pipe, never the command line that other users can list.
    if ! log=$(printf '%s' "${QUORVEL_SIGN_PASSWORD:-}" |
        osslsigncode sign -pkcs12 "$QUORVEL_SIGN_PFX" -readpass - -h sha256 -n "$name" -i "$address" \
            "${timestamp[@]}" -in "$file" -out "$signed" 2>&1); then
        echo "sign: cannot sign $file, left as it was (a wrong QUORVEL_SIGN_PASSWORD, an unreachable QUORVEL_SIGN_TIMESTAMP or a file that is no PE or .msi):" >&2
        grep -v -e '^Failed$' -e '^$' <<<"$log" | head -3 | sed 's/^/  /' >&2
        exit 1
    fi
    chmod --reference="$file" "$signed"
    mv "$signed" "$file"
    rm -rf "$work"
    echo "sign: signed $file"
done
