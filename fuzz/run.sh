#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the document reader for SECONDS (default 600) from the seed corpus.
# New inputs go to build/fuzz/corpus; crashes to fuzz/crashes, where the test
# suite replays them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-600}
bash tools/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
exec build/fuzz/fuzz/document_fuzz -max_total_time="$seconds" -max_len=4096 \
    -artifact_prefix=fuzz/crashes/ -print_final_stats=1 build/fuzz/corpus fuzz/corpus
