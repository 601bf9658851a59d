#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Verbanto and starts its window; a document (FILE.vbf) may follow.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --preset default
cmake --build --preset default
exec build/default/ui/verbanto "$@"
