#!/usr/bin/env bash
# The desktop integration and the .deb: the .desktop file and the metainfo pass
# their validators (an error, a warning or an AppStream info fails the test),
# and cpack builds a .deb, into a temporary folder, that holds the program, the
# .desktop file, the metainfo and the icons at their installed places and
# depends on what the program links.
# Needs desktop-file-utils, appstream, dpkg-dev and file.
# Usage: test_package.sh <build folder> <desktop id> <version>
set -euo pipefail
build=$1 id=$2 version=$3
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# desktop-file-validate exits 0 on warnings; its hints are advice only.
validate_desktop() {
    local report
    if ! report=$(desktop-file-validate "$1" 2>&1); then
        echo "$report"
        return 1
    fi
    [ -n "$report" ] && echo "$report"
    ! grep -qE '(error|warning):' <<<"$report"
}
# --strict: any issue but a pedantic one fails.
validate_metainfo() {
    appstreamcli validate --no-net --strict "$1"
}

desktop=$build/data/$id.desktop
metainfo=$build/data/$id.metainfo.xml
validate_desktop "$desktop" || fail "desktop-file-validate rejects $desktop"
validate_metainfo "$metainfo" || fail "appstreamcli rejects $metainfo"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The validators do fail on a broken file, so the checks above can fail.
sed 's/^Type=Application$/Type=Program/' "$desktop" >"$tmp/broken.desktop"
validate_desktop "$tmp/broken.desktop" >/dev/null &&
    fail "desktop-file-validate took a .desktop file with a wrong Type"
sed 's|<summary>.*</summary>||' "$metainfo" >"$tmp/broken.metainfo.xml"
validate_metainfo "$tmp/broken.metainfo.xml" >/dev/null &&
    fail "appstreamcli took a metainfo without a summary"

if ! cpack --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    fail "cpack did not build the .deb"
    exit 1
fi
deb=$tmp/package/kestrune-server-tool_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    cat "$tmp/cpack.log"
    fail "no $deb"
    exit 1
fi
echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"

contents=$(dpkg-deb -c "$deb")
expect() { # expect <permissions pattern> <path>
    grep -qE "^$1 .* \./$2\$" <<<"$contents" || fail "the .deb has no $2 ($1)"
}
expect '-rwxr-xr-x' usr/bin/kestrune-server-tool
# The network module, where the program looks for it from usr/bin.
expect '-rw[-x]r-[-x]r-[-x]' 'usr/lib/(.*/)?kestrune-server-tool/kestrune_udp\.so'
expect '-rw-r--r--' "usr/share/applications/$id.desktop"
expect '-rw-r--r--' "usr/share/metainfo/$id.metainfo.xml"
expect '-rw-r--r--' "usr/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 24 32 48 64 128 256; do
    expect '-rw-r--r--' "usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done

info=$(dpkg-deb -I "$deb")
grep -qx ' Package: kestrune-server-tool' <<<"$info" || fail "the .deb is not kestrune-server-tool"
grep -qx " Version: $version" <<<"$info" || fail "the .deb's version is not $version"
depends=$(grep '^ Depends: ' <<<"$info") || fail "the .deb has no Depends line"
echo "$depends"
depended=$(sed 's/^ Depends: //; s/, /\n/g' <<<"$depends" | cut -d' ' -f1)
# Debian 13 renamed libraries whose interface changed with the 64-bit time_t
# by a "t64" suffix (libqt6core6t64); either name is the same library.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    grep -qxE "${package//+/\\+}(t64)?" <<<"$depended" ||
        fail "the .deb does not depend on $package"
done

# What it installs, checked as installed: the two validators again, and
# AppStream's check of the metainfo with its .desktop file and icon beside it.
dpkg-deb -x "$deb" "$tmp/root"
validate_desktop "$tmp/root/usr/share/applications/$id.desktop" ||
    fail "desktop-file-validate rejects the installed .desktop file"
appstreamcli validate-tree --no-net --strict "$tmp/root" ||
    fail "appstreamcli validate-tree rejects the installed tree"
file "$tmp/root/usr/bin/kestrune-server-tool" | grep -q 'ELF .* executable' ||
    fail "the installed program is not an executable"

[ "$failures" = 0 ] || exit 1
echo "all checks passed"
