#!/usr/bin/env bash
# Makes the zip as shipped from this build and unpacks it, so that the
# end-to-end runs can start the program and its library from there.
#   unpack-zip.sh <build folder> <program as built> <folder to unpack into>
set -euo pipefail
build=$1
built=$2
out=$3
rm -rf "$out"
mkdir -p "$out/package"
cpack --config "$build/CPackConfig.cmake" -B "$out/package" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
zips=("$out"/package/Stellwick-*-win32.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "no zip made"; exit 1; }
unzip -q "${zips[0]}" -d "$out"
unzip -l "${zips[0]}"
cmp "$out/Stellwick/Stellwick.exe" "$built"
[ -f "$out/Stellwick/TorvaneFeedbackInformation.dll" ]
