#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed command-line
# tool from elsewhere: it must find the shipped base maps in P/share/kartela.
# Then checks the desktop entry and the software-centre file with the
# freedesktop validators.
#   installed_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/share
for file in bin/kartela bin/kartela-cli bin/kartela-basemap lib/kartela/libkartela_gdal.so \
  share/kartela/全国２.IDT \
  share/kartela/人口2020.DAT share/kartela/kartela.html share/kartela/人.emf \
  share/applications/org.kartela.Kartela.desktop share/metainfo/org.kartela.Kartela.metainfo.xml \
  share/mime/packages/kartela.xml share/icons/hicolor/48x48/apps/org.kartela.Kartela.png \
  share/icons/hicolor/scalable/mimetypes/application-x-kartela-document.svg; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done

cd "$prefix"
# The sample outside the program's files: its base map is found in P/share/kartela.
cp share/kartela/人口2020.DAT "$prefix/sample.DAT"
data=$(bin/kartela-cli data "$prefix/sample.DAT")
echo "$data" | grep -q '"areaCount": 47' || { echo "installed tool did not read the sample: $data"; exit 1; }
QT_QPA_PLATFORM=offscreen bin/kartela-cli render "$prefix/sample.DAT" --out "$prefix/map.png"
[ -s "$prefix/map.png" ] || { echo "no map drawn by the installed tool"; exit 1; }
# A tool for scripts prints nothing but its own messages, also without
# XDG_RUNTIME_DIR (Qt would warn), and its help lists every output format.
errors=$(env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen bin/kartela-cli render "$prefix/sample.DAT" \
  --out "$prefix/map.emf" 2>&1 >/dev/null)
[ -z "$errors" ] || { echo "the installed tool wrote on standard error: $errors"; exit 1; }
help=$(bin/kartela-cli --help)
for format in PNG SVG PDF EMF WMF .KTD; do
  echo "$help" | grep -q -- "$format" || { echo "kartela-cli --help does not list $format"; exit 1; }
done
# A table read through the GDAL plugin, which the installed tool loads from P/lib/kartela.
printf '地域,人口\n東京都,14047594\n' > "$prefix/table.csv"
bin/kartela-cli table "$prefix/table.csv" --key 地域 --value 人口 --out "$prefix/table.DAT" >/dev/null
[ -s "$prefix/table.DAT" ] || { echo "the installed tool read no table"; exit 1; }

desktop-file-validate "$share/applications/org.kartela.Kartela.desktop"
appstream-util validate-relax --nonet "$share/metainfo/org.kartela.Kartela.metainfo.xml" >/dev/null
echo "installed layout, tool and desktop files: ok"
