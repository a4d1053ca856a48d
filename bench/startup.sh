#!/usr/bin/env bash
# Time from process start to the first painted frame, and peak memory, of the
# main window beside an empty Qt window of the same size (the toolkit's own
# floor) and that window with one Japanese label (what any Japanese window
# pays), under Xvfb. Runs the three interleaved and prints the median of RUNS
# runs of each, and gosei's ratio to the label window.
#   bench/startup.sh [RUNS]    (after a build with the default preset)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
probe=build/bench/startup_probe
kinds=(empty label gosei)

# Xvfb names its display on the descriptor once it accepts clients.
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for ((wait = 0; wait < 100; ++wait)); do
    [[ -s $work/display ]] && break
    kill -0 $xvfb 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[[ -s $work/display ]] || { echo "Xvfb did not come up within 10 s" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")

declare -A times memories
for ((run = 0; run < runs; ++run)); do
    for kind in "${kinds[@]}"; do
        read -r ms kb < <("$probe" "$kind" "$(date +%s%N)" 2>/dev/null)
        times[$kind]+="$ms "
        memories[$kind]+="$kb "
    done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for kind in "${kinds[@]}"; do
    t=$(echo "${times[$kind]}" | median)
    m=$(echo "${memories[$kind]}" | median)
    declare "median_$kind=$t"
    awk -v k="$kind" -v t="$t" -v m="$m" 'BEGIN {printf "%-6s first frame %7.1f ms   peak memory %6.1f MB\n", k, t, m / 1024}'
done
awk -v g="$median_gosei" -v l="$median_label" -v e="$median_empty" \
    'BEGIN {printf "gosei / label %.2f   gosei / empty %.2f\n", g / l, g / e}'
