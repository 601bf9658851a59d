#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package of the build into a folder of its own, unpacks it
# and checks it holds the installation and depends on the libraries.
set -euo pipefail
build=$1
cpack=$2
png_sizes=$3

command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || exit 77

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
debs=("$work"/out/verbanto_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "expected one verbanto_*.deb"; ls "$work/out"; exit 1; }
deb=${debs[0]}

[[ $(dpkg-deb -f "$deb" Package) == verbanto ]] || { echo "wrong package name"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The window needs Qt's widgets and the C++ runtime: both must have been found.
[[ $depends == *libqt6widgets6* && $depends == *libstdc++6* ]] ||
    { echo "Depends lacks the libraries"; exit 1; }
[[ $(dpkg-deb -f "$deb" Recommends) == *witalian* ]] || { echo "Recommends lacks witalian"; exit 1; }

root=$work/root
dpkg-deb -x "$deb" "$root"
expected=(
    usr/bin/verbanto
    usr/bin/verbanto-cli
    usr/share/applications/verbanto.desktop
    usr/share/mime/packages/verbanto.xml
    usr/share/metainfo/io.github.verbanto.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/verbanto.svg
    usr/share/doc/verbanto/README.md
    usr/share/doc/verbanto/LICENSE
)
for size in $png_sizes; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/verbanto.png")
done
status=0
for file in "${expected[@]}"; do
    [[ -s $root/$file ]] || { echo "missing: $file"; status=1; }
done
[[ -x $root/usr/bin/verbanto && -x $root/usr/bin/verbanto-cli ]] || { echo "not executable"; status=1; }
for size in $png_sizes; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/verbanto.png
    [[ -s $png ]] || continue
    # Width and height are the big-endian words at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [[ $width == "$size" && $height == "$size" ]] || { echo "$png is ${width}x$height"; status=1; }
done
grep -qx 'Exec=verbanto %f' "$root/usr/share/applications/verbanto.desktop" ||
    { echo "the installed desktop entry does not start verbanto by name"; status=1; }
"$root/usr/bin/verbanto-cli" normalize "Perché?" | grep -qx PERCHE ||
    { echo "the installed verbanto-cli does not run"; status=1; }
# The installed window starts and keeps running until it is stopped.
started=0
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen \
    timeout 3 "$root/usr/bin/verbanto" >"$work/verbanto.log" 2>&1 || started=$?
[[ $started -eq 124 ]] || { echo "the installed verbanto did not keep running (exit $started)"; cat "$work/verbanto.log"; status=1; }
exit $status
