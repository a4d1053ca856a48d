#!/usr/bin/env bash
# Builds the Debian package and checks that it holds exactly the installed
# files, declares the run-time needs and passes lintian without errors.
set -euo pipefail
build_dir=$(cd "${1:?build directory}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/*.deb)

DESTDIR=$work/root cmake --install "$build_dir" --prefix /usr >/dev/null
(cd "$work/root" && find . -type f | sed 's|^\./|/|' | sort) >"$work/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$work/packaged"
diff -u "$work/installed" "$work/packaged"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-ipafont-gothic libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -q "$needed" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done

lintian --fail-on error --tag-display-limit 0 "$deb"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
