#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program on a virtual X server with a document on its
# command line, waits for its window to map with the document's name in the
# caption, closes it like a window manager would and expects a clean exit.
# Usage: smoke_test.sh VERBANTO X11CLOSE CLI
set -euo pipefail
verbanto=$1 x11close=$2 cli=$3

work=$(mktemp -d)
cleanup() {
    [[ -n ${app:-} ]] && kill "$app" 2>/dev/null || true
    [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the descriptor.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

doc=$work/prova.vbf
"$cli" new "$doc" --sentence "Roma" --attempt "amor" --attempt "ramo"
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb
"$verbanto" "$doc" &
app=$!
"$x11close" "Verbanto - $doc" 30
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$app" || status=$?
app=
[[ $status -eq 0 ]] || { echo "verbanto exited with $status"; exit 1; }
[[ -f $XDG_CONFIG_HOME/.verbanto/verbanto.ini ]] || { echo "no geometry written on close"; exit 1; }
echo "smoke test passed"
