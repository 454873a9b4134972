#!/bin/sh
# Regenerates the shipped base maps (basemaps/*.IDT) from the polygon
# databases of the Debian packages r-cran-maps and r-cran-mapdata (GPL-2),
# one recipe of tools/recipes per map. Not part of CI.
#
#   scripts/regenerate-basemaps.sh [BUILDER [PREVIEW_DIR]]
#
# BUILDER is the kartela-basemap program (default: build/bin/kartela-basemap);
# with PREVIEW_DIR a PNG picture of each map is written there too.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
builder=${1:-"$repo/build/bin/kartela-basemap"}
preview_dir=${2:-}

if [ ! -x "$builder" ]; then
  echo "no base-map builder at $builder; build the target kartela-basemap first" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && apt-get download r-cran-maps r-cran-mapdata)
for deb in "$work"/*.deb; do
  dpkg -x "$deb" "$work/root"
done

set -- --data "$work/root/usr/lib/R/site-library" --out "$repo/basemaps"
if [ -n "$preview_dir" ]; then
  mkdir -p "$preview_dir"
  set -- "$@" --preview "$preview_dir"
fi
"$builder" "$@" "$repo"/tools/recipes/*.recipe
