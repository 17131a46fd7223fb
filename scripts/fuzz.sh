#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset, clang) and runs each from its committed corpus
# in fuzz/corpus/, printing how long each took.
#   bash scripts/fuzz.sh           a short fixed count of inputs per target, as CI runs them
#   bash scripts/fuzz.sh 1000000   that many inputs per target (a long run)
# New inputs go to build/fuzz/found/, findings to build/fuzz/findings/; the corpus is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Inputs per target in the short run: about a minute in all.
declare -A short=([number]=100000 [tokenizer]=200000 [directory_list]=10000 [template]=20000 [interpreter]=10000)
# The interpreter's session lives across inputs on purpose: what it keeps is no leak of one input.
declare -A flags=([interpreter]=-detect_leaks=0)
# libgsf's own losses on a damaged file are told apart by the full stack of each allocation.
declare -A environment=([template]="ASAN_OPTIONS=fast_unwind_on_malloc=0 LSAN_OPTIONS=suppressions=fuzz/libgsf-leaks.supp")
mkdir -p build/fuzz/findings
for target in number tokenizer directory_list template interpreter; do
  runs=${1:-${short[$target]}}
  found="build/fuzz/found/$target"
  mkdir -p "$found"
  start=$(date +%s)
  env ${environment[$target]:-} build/fuzz/fuzz/${target}_fuzz -runs="$runs" -max_len=4096 -timeout=20 -print_final_stats=1 ${flags[$target]:-} \
    -artifact_prefix="build/fuzz/findings/${target}-" "$found" "fuzz/corpus/$target" \
    > "build/fuzz/$target.log" 2>&1 || { tail -40 "build/fuzz/$target.log"; exit 1; }
  echo "$target: $runs inputs, no finding, $(( $(date +%s) - start )) s"
done
