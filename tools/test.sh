#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Verbanto with warnings as errors and runs the whole test suite, then
# once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
jobs=$(nproc)
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
    cmake --build --preset "$preset" -j "$jobs"
    echo "== $preset tests"
    ctest --preset "$preset" -j "$jobs"
done
