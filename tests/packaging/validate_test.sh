#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry and the AppStream data as the validators see them.
set -euo pipefail
packaging=$1
ran=0
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$packaging/verbanto.desktop"
    ran=1
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$packaging/io.github.verbanto.metainfo.xml"
    ran=1
fi
[[ $ran -eq 1 ]] || exit 77
