#!/usr/bin/env bash
# The finder's worst requests at its limits, each timed as one run of
# gosei-cli (CPU seconds, user + system): ties of many exact networks over
# 2,000 values, --top 1000, parts twelve decades apart, any total, and the
# requests that are refused up front instead.
#   bench/finder_worst_cases.sh [path/to/gosei-cli]
set -uo pipefail
cli=${1:-build/cli/gosei-cli}
lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT
seq 100 2098 >"$lists/whole-numbers.txt"  # 1,999 values, full of exact ties
seq 100 1099 >"$lists/thousand.txt"

requests=(
    "find 8k --stock $lists/whole-numbers.txt"
    "find 8k --stock $lists/whole-numbers.txt --top 1000"
    "find 4k7 --series E96 --range 1u..1M --top 1000"
    "find 1u --series E96 --range 1u..1M --top 1000"
    "find 4M --series E96 --range 1u..1M --top 1000"
    "find 4k7 --series E192 --range 1..10M --top 1000"
    "divider 0.25 --stock $lists/whole-numbers.txt --top 1000"
    "divider 0.5 --stock $lists/whole-numbers.txt --top 1000 --total 1..10M --parts 4..4"
    "divider 0.3 --stock $lists/whole-numbers.txt --top 1000 --total 0..1e24"
    "divider 0.3 --stock $lists/thousand.txt --top 1000 --total 0..1e24"
    "divider 0.3 --series E192 --range 1..10M --top 1000 --total 0..1e24"
    "divider --vref 0.8 --vout 3.3 --series E192 --range 1..10M --top 1000"
    # Refused up front by a stated limit:
    "find 4k7 --range 1e-15..10M"
    "find 4k7 --series E3 --range 1e-24..1e24"
    "divider --vref 1e-18 --vout 3.3"
    "divider --vref 0.8 --vout 1e24"
)
TIMEFORMAT='%U %S'
for request in "${requests[@]}"; do
    # shellcheck disable=SC2086 # each request is a command line of words
    seconds=$({ time "$cli" $request >/dev/null 2>&1; } 2>&1)
    status=$("$cli" $request >/dev/null 2>&1; echo $?)
    cpu=$(awk '{ printf "%.2f", $1 + $2 }' <<<"$seconds")
    printf '%6s s  exit %s  %s\n' "$cpu" "$status" "${request//$lists\//}"
done
