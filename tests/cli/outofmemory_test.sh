#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# verbanto-cli with its address space held to 64 MiB, which is room enough
# for an ordinary document: a document that needs more must end the program
# with status 1 and a message, not with an uncaught std::bad_alloc.
# Usage: outofmemory_test.sh VERBANTO_CLI
set -u
CLI=$1
SKIP=77

command -v prlimit >/dev/null || { echo "prlimit is missing"; exit $SKIP; }
# AddressSanitizer reserves terabytes of address space before main.
if ldd "$CLI" | grep -q libasan; then
    echo "built with AddressSanitizer"
    exit $SKIP
fi

DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
LIMIT=$((64 * 1024 * 1024))
FAILED=0

fail() {
    echo "FAIL: $*"
    FAILED=1
}

"$CLI" new "$DIR/small.vbf" --sentence Roma --attempt amor
prlimit --as=$LIMIT "$CLI" show "$DIR/small.vbf" >/dev/null || fail "a small document does not load"

# Sparse files, which take no disk space: 512 MiB of zeros, read as an old
# layout, and a document whose 24 MiB sentence fits in the limit as bytes
# but not once it is read and counted.
truncate -s 512M "$DIR/zeros.vbf"
printf '\023J\000\000\300\000' >"$DIR/sentence.vbf"
truncate -s $((6 + 24 * 1024 * 1024)) "$DIR/sentence.vbf"

for DOC in zeros sentence; do
    for COMMAND in show convert; do
        if [ $COMMAND = show ]; then
            set -- show "$DIR/$DOC.vbf"
        else
            set -- convert "$DIR/$DOC.vbf" "$DIR/out.vbf"
        fi
        prlimit --as=$LIMIT "$CLI" "$@" >"$DIR/out.txt" 2>"$DIR/err.txt"
        STATUS=$?
        [ $STATUS -eq 1 ] || fail "$COMMAND $DOC: exit status $STATUS"
        [ "$(cat "$DIR/err.txt")" = "verbanto-cli: out of memory" ] ||
            fail "$COMMAND $DOC: said '$(cat "$DIR/err.txt")'"
        [ ! -s "$DIR/out.txt" ] || fail "$COMMAND $DOC: printed something"
        [ ! -e "$DIR/out.vbf" ] || fail "$COMMAND $DOC: wrote a document"
    done
done
exit $FAILED
