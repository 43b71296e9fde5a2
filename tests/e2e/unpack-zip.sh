#!/usr/bin/env bash
# Makes the zip as shipped from this build and unpacks it, so that the
# end-to-end runs can start the program and its library from there.
#   unpack-zip.sh <checkout> <zip name> <program as built> <library as built> <folder to unpack into>
set -euo pipefail
source=$1
name=$2
built=$3
library=$4
out=$5
rm -rf "$out"
mkdir -p "$out/package"
# The unsigned zip, whatever signing the caller's shell asks for.
env -u STELLWICK_SIGN_PFX python3 "$source/scripts/ship.py" --source "$source" --name "$name" \
  --out "$out/package" --work "$out" "$built" "$library" >"$out/ship.log" 2>&1 ||
  { cat "$out/ship.log"; exit 1; }
zips=("$out"/package/Stellwick-*-win32.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "no zip made"; exit 1; }
unzip -q "${zips[0]}" -d "$out"
unzip -l "${zips[0]}"
cmp "$out/Stellwick/Stellwick.exe" "$built"
cmp "$out/Stellwick/TorvaneFeedbackInformation.dll" "$library"
