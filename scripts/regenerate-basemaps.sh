#!/bin/bash
# Regenerates the shipped base maps (basemaps/*.IDT) and their area data
# (basemaps/*面積.DAT), one recipe of tools/recipes per map, from sources
# fetched here, never at build time:
#   - the Debian packages r-cran-maps and r-cran-mapdata (Japan, France, Italy),
#   - the npm packages us-atlas 3.0.1 and world-atlas 2.0.2 (`npm pack`; no
#     Node.js code is run),
#   - the Debian package iso-codes (names, through make-name-tables.sh).
# Needs apt-get, npm, jq and gettext. Not part of CI.
#
#   scripts/regenerate-basemaps.sh [BUILDER [PREVIEW_DIR]]
#
# BUILDER is the kartela-basemap program (default: build/bin/kartela-basemap);
# with PREVIEW_DIR a PNG picture of each map is written there too.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
builder=${1:-"$repo/build/bin/kartela-basemap"}
preview_dir=${2:-}

if [ ! -x "$builder" ]; then
  echo "no base-map builder at $builder; build the target kartela-basemap first" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && apt-get download r-cran-maps r-cran-mapdata iso-codes)
for deb in "$work"/*.deb; do
  dpkg -x "$deb" "$work/root"
done
(cd "$work" && npm pack --silent us-atlas@3.0.1 world-atlas@2.0.2)

# One data root for the recipes: the R packages' databases and the npm
# packages' files.
data="$work/data"
mkdir -p "$data/us-atlas" "$data/world-atlas"
ln -s "$work/root/usr/lib/R/site-library/maps" "$data/maps"
ln -s "$work/root/usr/lib/R/site-library/mapdata" "$data/mapdata"
tar -xzf "$work"/us-atlas-3.0.1.tgz -C "$data/us-atlas" --strip-components=1
tar -xzf "$work"/world-atlas-2.0.2.tgz -C "$data/world-atlas" --strip-components=1

"$repo/scripts/make-name-tables.sh" "$data" "$work/root" "$repo/tools/recipes"

set -- --data "$data" --out "$repo/basemaps"
if [ -n "$preview_dir" ]; then
  mkdir -p "$preview_dir"
  set -- "$@" --preview "$preview_dir"
fi
"$builder" "$@" "$repo"/tools/recipes/*.recipe
