# The Wine scripts' shared tally of checks and the normalising of a session's output, sourced.
passed=0
failed=0
skipped=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
fail() { echo "FAILED: $1"; failed=$((failed + 1)); }
skip() { echo "SKIPPED: $1"; skipped=$((skipped + 1)); }
expect() {  # expect <description> <command...>
    local what=$1
    shift
    local status=0
    "$@" >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then pass "$what"; else fail "$what (exit $status)"; fi
}
# Only the library's folder and the log's time of day may differ between two runs of a session.
normalise() {  # normalise <library folder as the run saw it>
    sed -E -e "s|$(printf '%s' "$1" | sed 's/[\\|&.]/\\&/g')|<library folder>|g" \
        -e 's|/nonexistent\\|<library folder>\\|g' \
        -e 's/^    [0-9]{1,2}:[0-9]{2}(:[0-9]{2})?( ?[AP]M)?: /    <time>: /'
}
