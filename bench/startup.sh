#!/usr/bin/env bash
# Time from process start to the first painted frame, and peak memory, of the
# main window beside an empty Qt window of the same size (the toolkit's own
# floor), under Xvfb. Prints the median of RUNS runs of each.
#   bench/startup.sh [RUNS]    (after a build with the default preset)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
probe=build/bench/startup_probe

display=:96
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display

declare -A times memories
for ((run = 0; run < runs; ++run)); do
    for kind in empty gosei; do
        read -r ms kb < <("$probe" "$kind" "$(date +%s%N)" 2>/dev/null)
        times[$kind]+="$ms "
        memories[$kind]+="$kb "
    done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
for kind in empty gosei; do
    t=$(echo "${times[$kind]}" | median)
    m=$(echo "${memories[$kind]}" | median)
    awk -v k="$kind" -v t="$t" -v m="$m" 'BEGIN {printf "%-6s first frame %7.1f ms   peak memory %6.1f MB\n", k, t, m / 1024}'
done
