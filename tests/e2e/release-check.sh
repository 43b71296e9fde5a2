#!/usr/bin/env bash
# The shipped zip as an IT department checks it.
#   release-check.sh same-bytes <checkout> <build folder> <zip name> <program> <library>
#       ships this build, builds and ships again from a copy of the sources in
#       another folder (own build folder, no compiler cache), and compares
#       the zips and both files byte for byte
#   release-check.sh signed <checkout> <build folder> <zip name>
#       ships the copy signed with a throwaway certificate authority, verifies
#       both signatures (and that one changed byte breaks one), the checksums
#       and a run of the signed program; a wrong password or a certificate not
#       meant for code ships nothing
set -uo pipefail
mode=$1 source=$2 build=$3 name=$4
work=$build/release-check
copy=$work/src
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

ship_copy() { cmake --build "$copy/build/win32" -j "$(nproc)" --target package; }

if [ "$mode" = same-bytes ]; then
  program=$5 library=$6
  rm -rf "$work"
  mkdir -p "$work/first" "$copy"
  env -u STELLWICK_SIGN_PFX python3 "$source/scripts/ship.py" --source "$source" --name "$name" \
    --out "$work/first" --work "$work" "$program" "$library" || exit 1
  # The files the first build was made from, edits not yet committed included.
  if git -C "$source" rev-parse --show-toplevel >/dev/null 2>&1; then
    (cd "$source" && git ls-files -z -c -o --exclude-standard |
      while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
      tar --null -T - -cf -) | tar -xf - -C "$copy"
    # The copy has no history: it gets the commit time the first build took.
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct)}
    export SOURCE_DATE_EPOCH
  else
    (cd "$source" && tar --exclude=./build --exclude=./dist -cf - .) | tar -xf - -C "$copy"
  fi
  start=$(date +%s)
  (unset STELLWICK_SIGN_PFX; export CCACHE_DISABLE=1
    cd "$copy" && cmake --preset win32 >"$work/configure.log" 2>&1 &&
    ship_copy >"$work/build.log" 2>&1) ||
    { tail -n 30 "$work/configure.log" "$work/build.log"; exit 1; }
  echo "second build and zip from a fresh configure, no compiler cache: $(($(date +%s) - start)) s"
  zip=$name.zip
  sha256sum "$work/first/$zip" "$copy/dist/$zip"
  cmp "$work/first/$zip" "$copy/dist/$zip" || fail "the two zips differ"
  cmp "$program" "$copy/build/win32/Stellwick.exe" || fail "the two programs differ"
  cmp "$library" "$copy/build/win32/support-standin/TorvaneFeedbackInformation.dll" ||
    fail "the two libraries differ"
  for f in "$program" "$library" "$copy/build/win32/Stellwick.exe"; do
    if strings -a "$f" | grep -q -F "$source" || strings -a -el "$f" | grep -q -F "$source"; then
      fail "$f names a folder of this machine"
    fi
  done
  unzip -l "$copy/dist/$zip"
elif [ "$mode" = signed ]; then
  [ -f "$copy/build/win32/Stellwick.exe" ] || { echo "the copy was not built (same-bytes test)"; exit 1; }
  ca=$work/ca
  rm -rf "$ca"
  mkdir -p "$ca"
  cat >"$ca/ext.cnf" <<'EOF'
[root]
basicConstraints=critical,CA:TRUE
keyUsage=critical,keyCertSign
[code]
basicConstraints=critical,CA:FALSE
keyUsage=critical,digitalSignature
extendedKeyUsage=codeSigning
[server]
basicConstraints=critical,CA:FALSE
extendedKeyUsage=serverAuth
EOF
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$ca/root.key" -out "$ca/root.pem" -days 2 \
    -subj "/CN=Stellwick Test Root" -config "$ca/ext.cnf" -extensions root 2>/dev/null || exit 1
  for kind in code server; do
    openssl req -newkey rsa:2048 -nodes -keyout "$ca/$kind.key" -out "$ca/$kind.csr" \
      -subj "/CN=Stellwick Test $kind" -config "$ca/ext.cnf" 2>/dev/null &&
      openssl x509 -req -in "$ca/$kind.csr" -CA "$ca/root.pem" -CAkey "$ca/root.key" -CAcreateserial \
        -days 1 -extfile "$ca/ext.cnf" -extensions "$kind" -out "$ca/$kind.pem" 2>/dev/null &&
      openssl pkcs12 -export -inkey "$ca/$kind.key" -in "$ca/$kind.pem" -out "$ca/$kind.pfx" \
        -passout "pass:test pass" || exit 1
  done
  export STELLWICK_SIGN_PFX=$ca/code.pfx STELLWICK_SIGN_PASSWORD="test pass"
  unset STELLWICK_SIGN_TIMESTAMP_URL
  export SOURCE_DATE_EPOCH=1767225600
  dist=$copy/dist
  ship_copy >"$work/signed.log" 2>&1 || { cat "$work/signed.log"; exit 1; }
  grep '^ship:' "$work/signed.log"
  cp "$dist/$name.zip" "$work/signed-once.zip"
  ship_copy >/dev/null 2>&1 || fail "second signed build failed"
  cmp "$work/signed-once.zip" "$dist/$name.zip" || fail "two signed builds differ"
  (cd "$dist" && sha256sum -c SHA256SUMS) || fail "SHA256SUMS does not match the zip"
  unz=$work/signed
  rm -rf "$unz"
  unzip -q "$dist/$name.zip" -d "$unz" || exit 1
  for f in Stellwick.exe TorvaneFeedbackInformation.dll; do
    if osslsigncode verify -CAfile "$ca/root.pem" -in "$unz/Stellwick/$f" >"$work/verify-$f.log" 2>&1; then
      echo "$f: $(grep -E '^Signature verification' "$work/verify-$f.log")"
    else
      cat "$work/verify-$f.log"
      fail "$f: the signature does not verify"
    fi
  done
  # One byte of code changed after signing.
  cp "$unz/Stellwick/Stellwick.exe" "$work/changed.exe"
  printf '\x5a' | dd of="$work/changed.exe" bs=1 seek=5000 conv=notrunc 2>/dev/null
  cmp -s "$work/changed.exe" "$unz/Stellwick/Stellwick.exe" &&
    printf '\x5b' | dd of="$work/changed.exe" bs=1 seek=5000 conv=notrunc 2>/dev/null
  osslsigncode verify -CAfile "$ca/root.pem" -in "$work/changed.exe" >/dev/null 2>&1 &&
    fail "a changed program still verifies"
  # The signed program runs.
  out=$("$source/scripts/wine-run" "$unz/Stellwick/Stellwick.exe" /check)
  rc=$?
  echo "signed program /check: exit $rc: $out"
  { [ $rc -eq 0 ] || [ $rc -eq 1 ]; } || fail "/check exited with $rc"
  grep -q '^Stellwick 1\.8\.22\.1024 check:' <<<"$out" || fail "no result line from /check"
  # Nothing ships when signing cannot be done; the earlier zip goes too.
  for bad in "password:$ca/code.pfx:wrong" "not for code:$ca/server.pfx:test pass"; do
    IFS=: read -r what pfx pass <<<"$bad"
    if STELLWICK_SIGN_PFX=$pfx STELLWICK_SIGN_PASSWORD=$pass ship_copy >"$work/bad.log" 2>&1; then
      fail "$what: the build succeeded"
    fi
    grep '^ship:' "$work/bad.log" | head -n 3
    [ -e "$dist/$name.zip" ] && fail "$what: a zip was left in dist"
    [ -e "$dist/SHA256SUMS" ] && fail "$what: SHA256SUMS was left in dist"
  done
else
  echo "unknown mode $mode"
  exit 2
fi
[ $failures -eq 0 ] || exit 1
echo "ok"
