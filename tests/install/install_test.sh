#!/usr/bin/env bash
# Installs into a temporary prefix, runs the installed gosei-cli on an example
# and checks that the launcher entry's Exec and Icon name installed files.
set -euo pipefail
build_dir=${1:?build directory}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

output=$("$prefix/bin/gosei-cli" E6 47)
grep -q '^47          不要        47          0$' <<<"$output" || {
    echo "unexpected gosei-cli output:"; echo "$output"; exit 1; }

# Both launcher entries: the calculator, and the finder window alone.
for entry in "$prefix"/share/applications/gosei{,-finder}.desktop; do
    desktop-file-validate "$entry"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    icon_name=$(sed -n 's/^Icon=//p' "$entry")
    [[ -x $prefix/bin/$exec_name ]] || { echo "Exec=$exec_name is not an installed program"; exit 1; }
    [[ -f $prefix/share/icons/hicolor/scalable/apps/$icon_name.svg ]] || {
        echo "Icon=$icon_name has no scalable icon"; exit 1; }
done
grep -qx 'Exec=gosei --find' "$prefix/share/applications/gosei-finder.desktop"
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon_name.png
    file "$png" | grep -q "PNG image data, $size x $size" || { echo "bad icon $png"; exit 1; }
done
for page in gosei gosei-cli; do
    [[ -f $prefix/share/man/man1/$page.1.gz ]] || { echo "no manual page for $page"; exit 1; }
done
echo "installed and checked in $prefix"
