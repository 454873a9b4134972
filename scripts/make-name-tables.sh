#!/bin/bash
# Writes the name tables of the shipped maps that are not Japan's
# (tools/recipes/{us-states,us-counties,world,france,italy}.names) from the
# boundary sources and the ISO 3166 lists of the Debian package iso-codes with
# their Japanese translations. Run by regenerate-basemaps.sh; not part of CI.
#
#   scripts/make-name-tables.sh DATA_ROOT ISO_ROOT OUT_DIR
#
# DATA_ROOT holds us-atlas/ and world-atlas/ (the unpacked npm packages) and
# maps/ (the R package); ISO_ROOT is where iso-codes is unpacked (/ for the
# installed one). Needs jq and gettext (msgunfmt).
#
# Each table lists "region<TAB>displayed name" in the order of the map's
# areas. Base maps are Shift-JIS: letters it lacks lose their accent
# (Côtes-d'Armor -> Cotes-d'Armor) through iconv's transliteration.
set -euo pipefail

data=$1
iso=$2
out=$3
json="$iso/usr/share/iso-codes/json"
locale="$iso/usr/share/locale/ja/LC_MESSAGES"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A gettext catalogue as "English<TAB>Japanese" lines.
catalogue() {
  msgunfmt --stringtable-output "$locale/$1.mo" |
    sed -n 's/^\xef\xbb\xbf//; s/^"\(..*\)" = "\(.*\)";$/\1\t\2/p'
}
catalogue iso_3166-1 >"$work/ja-3166-1.tsv"
catalogue iso_3166-2 >"$work/ja-3166-2.tsv"

# Text Shift-JIS can hold, letters with accents written without them.
to_sjis() {
  LC_ALL=C.UTF-8 iconv -f UTF-8 -t CP932//TRANSLIT | iconv -f CP932 -t UTF-8
}

# The letters of each line alone, lower case ("Val-d'Oise" -> "valdoise").
letters() {
  LC_ALL=C.UTF-8 iconv -f UTF-8 -t ASCII//TRANSLIT | tr 'A-Z' 'a-z' | tr -cd 'a-z\n'
}

# A name longer than a base map holds (36 Shift-JIS bytes) is cut before its
# first "及び" or "、" and ends in "等" ("セントヘレナ、アセンション及び…" ->
# "セントヘレナ等"). Text here is ASCII and full-width Japanese, which take one
# and three bytes in UTF-8 and one and two in Shift-JIS.
shorten() {
  LC_ALL=C awk '{
    rest = $0; wide = gsub(/[\200-\377]/, "", rest)
    if (length($0) - wide / 3 > 36) {
      cut = index($0, "及び"); comma = index($0, "、")
      if (cut == 0 || (comma > 0 && comma < cut)) cut = comma
      if (cut > 0) $0 = substr($0, 1, cut - 1) "等"
    }
    print }'
}

# Writes OUT_DIR/NAME from "region<TAB>name" lines; the regions stay as the
# source spells them, the displayed names become Shift-JIS text.
write_table() {  # NAME COMMENT
  cat >"$work/table"
  {
    printf '# %s\n# Made by scripts/make-name-tables.sh from iso-codes; do not edit.\n' "$2"
    cut -f2 "$work/table" | to_sjis | shorten | paste <(cut -f1 "$work/table") -
  } >"$work/$1"
  if cut -f2 "$work/$1" | grep -q '?'; then
    echo "$1: a name has a character Shift-JIS cannot hold:" >&2
    grep '?' "$work/$1" >&2
    exit 1
  fi
  mv "$work/$1" "$out/$1"
}

# "English<TAB>Japanese" of a catalogue applied to column COLUMN of stdin.
translate() {  # CATALOGUE COLUMN
  awk -F'\t' -v OFS='\t' -v column="$2" '
    FNR == NR { ja[$1] = $2; next }
    { if ($column in ja) $column = ja[$column]; print }' "$1" -
}

us_atlas="$data/us-atlas"

# The 50 states and DC: FIPS code, English name and ISO 3166-2 code, matched
# by name; the territories (60 and over, except none below) are left out.
jq -r '.objects.states.geometries[] | select((.id | tonumber) < 60)
       | "\(.id)\t\(.properties.name)"' "$us_atlas/states-10m.json" | sort >"$work/states.tsv"
jq -r '.["3166-2"][] | select(.code | startswith("US-")) | "\(.name)\t\(.code)"' \
  "$json/iso_3166-2.json" >"$work/us-codes.tsv"
awk -F'\t' -v OFS='\t' 'FNR == NR { code[$1] = $2; next }
  { if (!($2 in code)) { print "no ISO code for " $2 > "/dev/stderr"; exit 1 }
    print $1, $2, substr(code[$2], 4) }' "$work/us-codes.tsv" "$work/states.tsv" >"$work/states-iso.tsv"

cut -f1,2 "$work/states-iso.tsv" | translate "$work/ja-3166-2.tsv" 2 |
  write_table us-states.names "The 50 states and DC by FIPS code, named in Japanese by iso-codes."

# Counties as "Autauga, AL"; an independent city that shares its name with a
# county of its state (county code 500 and over) is "Baltimore city, MD".
# Falls Church, VA (51610, 5 km²) has collapsed to a line in the source.
jq -r '.objects.counties.geometries[] | select(.id != "51610") | "\(.id)\t\(.properties.name)"' \
  "$us_atlas/counties-10m.json" | sort >"$work/counties.tsv"
awk -F'\t' -v OFS='\t' '
  FNR == NR { abbr[$1] = $3; next }
  { state = substr($1, 1, 2); if (!(state in abbr)) next
    id[++n] = $1; name[n] = $2; seen[state "\t" $2]++ }
  END { for (i = 1; i <= n; ++i) {
          state = substr(id[i], 1, 2); shown = name[i]
          if (seen[state "\t" name[i]] > 1 && substr(id[i], 3) + 0 >= 500) shown = shown " city"
          print id[i], shown ", " abbr[state] } }' "$work/states-iso.tsv" "$work/counties.tsv" |
  write_table us-counties.names "Counties of the 50 states and DC by FIPS code."

# Countries by ISO 3166-1 numeric code, named by the Japanese translation of
# their common name or else of their name. Antarctica is left out; areas
# without a code, and a second area of one code (Ashmore and Cartier Is.
# beside Australia), keep their English name and come last.
jq -r '.["3166-1"][] | "\(.numeric)\t\(.name)\t\(.common_name // "")"' \
  "$json/iso_3166-1.json" >"$work/countries-iso.tsv"
jq -r '.objects.countries.geometries[] | select(.properties.name != "Antarctica")
       | "\(.id // "")\t\(.properties.name)"' "$data/world-atlas/countries-50m.json" |
  sort -t"$(printf '\t')" -k1,1 -k2,2 >"$work/countries.tsv"
awk -F'\t' -v OFS='\t' '
  FILENAME == ARGV[1] { ja[$1] = $2; next }
  FILENAME == ARGV[2] { iso[$1] = $2; common[$1] = $3; next }
  { id[++n] = $1; name[n] = $2
    if ($1 in iso && ($2 == iso[$1] || $2 == common[$1])) named[$1] = n }
  END { for (i = 1; i <= n; ++i) if (id[i] in iso && !(id[i] in named)) named[id[i]] = i
        for (i = 1; i <= n; ++i) {
          if (named[id[i]] != i || id[i] == "") { print "~", name[i], name[i]; continue }
          shown = (common[id[i]] != "" && common[id[i]] in ja) ? ja[common[id[i]]] : (iso[id[i]] in ja) ? ja[iso[id[i]]] : name[i]
          print id[i], name[i], shown } }' \
  "$work/ja-3166-1.tsv" "$work/countries-iso.tsv" "$work/countries.tsv" |
  sort -t"$(printf '\t')" -k1,1 -k2,2 | cut -f2,3 |
  write_table world.names "Countries by ISO 3166-1 numeric code, named in Japanese by iso-codes."

# The regions of an R polygon database matched to the ISO 3166-2 entries of
# TYPE of a country by their letters alone ("Val-Doise" = "Val-d'Oise"), in
# code order (Corsica's 2A and 2B between 19 and 21, as in France). ALIASES lines "region<TAB>ISO name" where the letters differ.
subdivisions() {  # DATABASE PREFIX TYPE_REGEX ALIASES
  jq -r --arg prefix "$2" --arg types "$3" '.["3166-2"][]
      | select((.code | startswith($prefix)) and (.type | test($types)))
      | "\(.code)\t\(.name)"' "$json/iso_3166-2.json" >"$work/entries.tsv"
  cut -f2 "$work/entries.tsv" | letters | paste "$work/entries.tsv" - >"$work/entries-keyed.tsv"
  cut -f1 "$data/maps/mapdata/$1.N" | cut -d: -f1 | sort -u >"$work/regions"
  printf '%s' "$4" >"$work/aliases"
  awk -F'\t' -v OFS='\t' 'FILENAME == ARGV[1] { alias[$1] = $2; next }
      { print $0 in alias ? alias[$0] : $0 }' "$work/aliases" "$work/regions" | letters |
    paste "$work/regions" - >"$work/regions-keyed.tsv"
  awk -F'\t' -v OFS='\t' 'FNR == NR { code[$3] = $1; name[$3] = $2; next }
      { if (!($2 in code)) { print "no ISO entry for " $1 > "/dev/stderr"; exit 1 }
        print code[$2], $1, name[$2] }' "$work/entries-keyed.tsv" "$work/regions-keyed.tsv" |
    sed 's/^FR-2\([AB]\)\t/FR-20\1\t/' | sort | cut -f2,3
}

subdivisions france FR- '^Metropolitan department$' '' |
  write_table france.names "Metropolitan departements by code, named by iso-codes."
# Aosta is the one province of its autonomous region, which ISO lists alone.
subdivisions italy IT- \
  '^(Province|Free municipal consortium|Metropolitan city|Autonomous province|Decentralized regional entity|Autonomous region)$' \
  "$(printf "Forli'\tForli-Cesena\nBolzano-Bozen\tBolzano\nAosta\tVal d'Aoste\n")" |
  write_table italy.names "Provinces by code, named by iso-codes."
