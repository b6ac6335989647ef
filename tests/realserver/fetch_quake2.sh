#!/usr/bin/env bash
# Fetches Yamagi Quake II from Debian's contrib section for the suite of the
# running system and unpacks it into DEST/root, without touching the
# machine's package sources: apt-get reads a private source list, made from
# the archive the machine's own apt configuration names, and keeps its lists
# and downloads in DEST.
#   fetch_quake2.sh DEST
set -euo pipefail
dest=$1
engine=$dest/root/usr/lib/yamagi-quake2
if [[ -x $engine/q2ded && -x $engine/quake2 ]]; then
    exit 0
fi

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if [[ -z $codename ]]; then
    echo "fetch_quake2: /etc/os-release names no VERSION_CODENAME" >&2
    exit 1
fi
mirror=$("$(dirname "$0")/debian_archive.sh" "$codename")
mkdir -p "$dest/apt/lists/partial" "$dest/apt/cache/archives/partial" "$dest/debs"
echo "deb $mirror $codename contrib" > "$dest/apt/sources.list"
apt_options=(
    -o Dir::Etc::SourceList="$dest/apt/sources.list"
    -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$dest/apt/lists"
    -o Dir::Cache="$dest/apt/cache"
    -o APT::Sandbox::User=root
    -o Acquire::Retries=2
    -o Acquire::http::Timeout=20
)
if ! apt-get "${apt_options[@]}" update > "$dest/apt/update.log" 2>&1 ||
    grep -qE '^(Err|W: Failed)' "$dest/apt/update.log"; then
    cat "$dest/apt/update.log" >&2
    echo "fetch_quake2: Debian's mirror $mirror cannot be reached for $codename contrib;" \
        "the real-server test needs it" >&2
    exit 1
fi
cd "$dest/debs"
if ! apt-get "${apt_options[@]}" download yamagi-quake2-core yamagi-quake2 > download.log 2>&1; then
    cat download.log >&2
    echo "fetch_quake2: could not download yamagi-quake2-core and yamagi-quake2" \
        "from $mirror $codename contrib" >&2
    exit 1
fi
rm -rf "$dest/root"
for deb in ./*.deb; do
    dpkg -x "$deb" "$dest/root"
done
ls ./*.deb
