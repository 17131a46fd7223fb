#!/bin/bash
# Reads an Outlook template with msgconvert, a reader independent of ours and of olefile, and
# checks the subject it finds.
# usage: check_msgconvert.sh FILE [SUBJECT]
set -euo pipefail
file=$1
subject=${2:-Quorvel_Settings1_}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
msgconvert --outfile "$work/template.eml" "$file"
if ! grep -qx "Subject: $subject" <(tr -d '\r' <"$work/template.eml"); then
    echo "check_msgconvert: $file: no subject '$subject' in:" >&2
    cat "$work/template.eml" >&2
    exit 1
fi
echo "check_msgconvert: $file OK"
