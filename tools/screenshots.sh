#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Verbanto and renders the main window with a sample document into docs/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --preset default
cmake --build --preset default --target verbanto-screenshot
build/default/tools/verbanto-screenshot docs
