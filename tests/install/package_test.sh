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

# The metadata is installed and valid, and names both launcher entries,
# which are packaged and valid too; so is its screenshots block, which a
# build with a published address keeps.
metainfo=/usr/share/metainfo/jp.minamosoft.gosei.metainfo.xml
grep -qx "$metainfo" "$work/packaged" || { echo "the package lacks $metainfo"; exit 1; }
appstreamcli validate --no-net --pedantic "$work/root$metainfo"
for entry in gosei.desktop gosei-finder.desktop; do
    grep -qx "/usr/share/applications/$entry" "$work/packaged" || { echo "the package lacks $entry"; exit 1; }
    desktop-file-validate "$work/root/usr/share/applications/$entry"
    grep -q "<launchable type=\"desktop-id\">$entry</launchable>" "$work/root$metainfo"
done
grep -q '<release version="1.13"' "$work/root$metainfo"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
sed -e 's|@GOSEI_SCREENSHOT_URL@|https://example.org/gosei|' -e 's|@PROJECT_VERSION@|1.13|' \
    "$source_dir/packaging/gosei.metainfo.xml.in" >"$work/with-screenshots.metainfo.xml"
appstreamcli validate --no-net --pedantic "$work/with-screenshots.metainfo.xml"
[[ $(grep -c '<caption>' "$work/with-screenshots.metainfo.xml") == 3 ]]

lintian --fail-on error --tag-display-limit 0 "$deb"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB"
