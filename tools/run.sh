#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Verbanto and starts it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --preset default
cmake --build --preset default
if [[ $# -eq 0 ]]; then
    set -- --help
fi
exec build/default/cli/verbanto-cli "$@"
