#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time of Verbanto with a document argument, from process start to
# its window being mapped on a virtual X server, against an empty
# QMainWindow started the same way. Prints the medians and their ratio.
# Usage: bench/startup_bench.sh [RUNS]   (after a build)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-21}
build=build/default

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config \
    XDG_RUNTIME_DIR=$work

doc=$work/doc.vbf
"$build/cli/verbanto-cli" new "$doc" --sentence "Nel mezzo del cammin di nostra vita" \
    --attempt "mi ritrovai per una selva oscura" --attempt "che la diritta via era smarrita"

# Milliseconds from start to the mapped window.
measure() {
    local title=$1; shift
    local start end
    start=$(date +%s%N)
    "$@" & local pid=$!
    "$build/tests/smoke/x11close" "$title" 30 >/dev/null
    end=$(date +%s%N)
    wait "$pid" || true
    echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Interleaved, so that a change in the machine's load hits both alike.
for _ in $(seq "$runs"); do
    measure "Empty" "$build/bench/emptywindow" >> "$work/empty"
    measure "Verbanto - $doc" "$build/ui/verbanto" "$doc" >> "$work/verbanto"
done
empty=$(median < "$work/empty")
verbanto=$(median < "$work/verbanto")
echo "empty QMainWindow: median ${empty} ms over $runs runs"
echo "Verbanto with a document: median ${verbanto} ms over $runs runs"
awk -v a="$verbanto" -v b="$empty" 'BEGIN {printf "ratio: %.2f\n", a / b}'
