#!/usr/bin/env bash
# Lays out the demo installation: the program with its reference tables in
# the program directory, the single-station configuration beside it and in
# data/, and the export directory. The station's configuration and the
# commission's data already in the installation are never overwritten.
#   lay-out-demo.sh BUILD_DIR INSTALL_DIR
set -euo pipefail
build=$1
inst=$2
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
"$build/tools/urnarium-refdata" demo/tables "$tables" >/dev/null
mkdir -p "$inst/Export" "$inst/data"
install -m 755 "$build/src/app/urnarium" "$inst/urnarium"
if [ -x "$build/tools/urnarium-data" ]; then install -m 755 "$build/tools/urnarium-data" "$inst/urnarium-data"; fi
for t in OKRSKY STRANY KANDIDAT QZRVOK QZRZVO CISCHYB; do
  cp "$tables/$t.RCD" "$inst/$t.RCD"
done
[ -e "$inst/stanice.rcd" ] || cp "$tables/STANICE.RCD" "$inst/stanice.rcd"
[ -e "$inst/data/STANICE.RCD" ] || cp "$tables/STANICE.RCD" "$inst/data/STANICE.RCD"
# The user's guide with its folder of pictures, replaced as a whole.
for f in demo/help/*; do
  [ -e "$f" ] || continue
  if [ -d "$f" ]; then
    rm -rf "${inst:?}/$(basename "$f")"
    cp -R "$f" "$inst/"
  else
    cp "$f" "$inst/"
  fi
done
echo "Demo installation ready in $inst"
