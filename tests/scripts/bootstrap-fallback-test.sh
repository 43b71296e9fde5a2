#!/usr/bin/env bash
# The bootstrap's fall-back logic without a network: stand-in apt-get,
# apt-cache, dpkg, dpkg-query, locale and clang first on a PATH of their own,
# for a mirror caught mid-sync, a mirror where nothing installs, a machine
# that has everything, and a kernel that runs no 32-bit code.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

stubs=$work/stubs
tools=$work/tools
mkdir -p "$stubs" "$tools"
for t in bash env grep sed cut head tail mktemp rm cat tee sleep id sort tr printf awk chmod; do
  p=$(command -v "$t" 2>/dev/null) && [ -x "$p" ] && ln -sf "$p" "$tools/$t"
done

cat >"$stubs/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STATE/calls"
case "$1" in
  update)
    if [ "$UPDATE_FAIL" = 1 ]; then
      echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100
    fi
    exit 0 ;;
  install)
    shift
    pinned=no pkgs=()
    while [ $# -gt 0 ]; do
      case "$1" in
        -t) pinned=yes; shift ;;
        -*) ;;
        *) pkgs+=("$1") ;;
      esac
      shift
    done
    refuse=$PLAIN_FAIL
    [ $pinned = yes ] && refuse=$PINNED_FAIL
    if [ "$refuse" = 1 ] && [[ " ${pkgs[*]} " == *" wine32:i386 "* ]]; then
      echo "The following packages have unmet dependencies:"
      echo " wine32:i386 : Depends: libwine:i386 (= 8.0~repack-4) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi
    printf '%s\n' "${pkgs[@]}" >>"$STATE/installed"
    if [[ " ${pkgs[*]} " == *" qemu-user "* ]]; then
      printf '#!/bin/sh\necho "qemu-i386 version 10.0.2"\n' >"$STATE/bin/qemu-i386"
      chmod +x "$STATE/bin/qemu-i386"
    fi ;;
esac
STUB
cat >"$stubs/apt-cache" <<'STUB'
#!/usr/bin/env bash
case "$1" in
  depends) [ "$2" = clang ] && printf 'clang\n  Depends: clang-%s\n' "$CLANG_V" ;;
  policy)
    # The release's emulator is too old; its backports suite, once listed, has a newer one.
    v="1:7.2+dfsg-7"
    [ "$2" = -t ] && grep -q bookworm-backports "$STATE"/apt/sources.list.d/stellwick-backports.sources 2>/dev/null &&
      v="1:10.0.2+ds-2~bpo12+1"
    printf 'qemu-user:\n  Installed: (none)\n  Candidate: %s\n' "$v" ;;
  show) [ "${!#}" = "libclang-rt-$CLANG_V-dev" ] || exit 100 ;;
esac
STUB
cat >"$stubs/dpkg-query" <<'STUB'
#!/usr/bin/env bash
grep -qxF "${!#}" "$STATE/installed" 2>/dev/null && echo "install ok installed"
exit 0
STUB
cat >"$stubs/dpkg" <<'STUB'
#!/usr/bin/env bash
[ "$1" = --print-foreign-architectures ] && echo i386
STUB
cat >"$stubs/locale" <<'STUB'
#!/usr/bin/env bash
printf 'C\nC.utf8\nen_US.utf8\nzh_CN.utf8\nPOSIX\n'
STUB
cat >"$stubs/locale-gen" <<'STUB'
#!/usr/bin/env bash
echo "locale-gen called although every locale is there"
exit 1
STUB
cat >"$stubs/sudo" <<'STUB'
#!/usr/bin/env bash
"$@"
STUB
# clang is "installed" once its package is.
cat >"$stubs/clang-when-installed" <<'STUB'
#!/usr/bin/env bash
echo "$CLANG_V.0.6"
STUB
chmod +x "$stubs"/*
printf 'ID=debian\nVERSION_CODENAME=bookworm\n' >"$work/os-release"

# run NAME UPDATE_FAIL PLAIN_FAIL PINNED_FAIL: runs the bootstrap against the
# state in $work/NAME, output in $work/NAME/out, exit code in $rc.
run() {
  local name=$1
  export STATE=$work/$name UPDATE_FAIL=$2 PLAIN_FAIL=$3 PINNED_FAIL=$4 CLANG_V=16
  mkdir -p "$STATE/bin"
  : >>"$STATE/installed"
  rm -f "$STATE/calls" "$STATE/bin/clang"
  grep -qx clang "$STATE/installed" && cp "$stubs/clang-when-installed" "$STATE/bin/clang"
  rc=0
  PATH="$STATE/bin:$stubs:$tools" LANG=zh_CN.UTF-8 STELLWICK_OS_RELEASE="$work/os-release" \
    STELLWICK_APT_PAUSE=0 STELLWICK_APT_TRIES=3 STELLWICK_WINE32="$STATE/wine32" \
    STELLWICK_APT_SOURCES="$STATE/apt" STELLWICK_BINFMT="$STATE/binfmt" \
    "$tools/bash" "$top/scripts/bootstrap" >"$STATE/out" 2>&1 || rc=$?
}

# A mirror caught mid-sync: every update fails, the plain install is refused,
# the pinned one goes through.
run midsync 1 1 0
[ $rc -eq 0 ] || fail "mid-sync mirror: exit $rc"
[ "$(grep -c '^apt-get update' "$work/midsync/calls")" -eq 3 ] || fail "mid-sync mirror: update not tried three times"
grep -q '^apt-get install .*-t bookworm .*wine32:i386' "$work/midsync/calls" || fail "mid-sync mirror: no install with the release pinned"
[ "$(grep -m1 '^apt-get install' "$work/midsync/calls" | grep -o 'locales\|wine32:i386' | tr '\n' ' ')" = "locales " ] ||
  fail "mid-sync mirror: the locales were not installed first, alone"
grep -qx libclang-rt-16-dev "$work/midsync/installed" || fail "mid-sync mirror: clang runtime not chosen after the clang the release offers"
grep -qi setlocale "$work/midsync/out" && fail "mid-sync mirror: setlocale warning in the output"

# The same machine again: nothing to install, so apt is not even asked.
run midsync 1 1 0
[ $rc -eq 0 ] || fail "second run: exit $rc"
[ ! -s "$work/midsync/calls" ] || fail "second run called apt-get: $(cat "$work/midsync/calls")"

# Nothing installs: a readable refusal and a non-zero exit.
run broken 1 1 1
[ $rc -ne 0 ] || fail "no install possible: exit 0"
grep -q 'could not install: .*wine32:i386' "$work/broken/out" || fail "no install possible: missing packages not named"
grep -q 'wine32:i386 : Depends: libwine:i386' "$work/broken/out" || fail "no install possible: apt's reason not shown"

# A kernel without 32-bit support: Wine's 32-bit loader runs only once an
# emulator new enough is registered for 32-bit x86 programs.
mkdir -p "$work/no32/apt/sources.list.d" "$work/no32/binfmt"
printf 'Types: deb\nURIs: http://mirror/debian-security\nSuites: bookworm-security\nComponents: main\n\n' \
  >"$work/no32/apt/sources.list.d/debian.sources"
printf 'Types: deb\nURIs: http://mirror/debian\nSuites: bookworm bookworm-updates\nComponents: main\n' \
  >>"$work/no32/apt/sources.list.d/debian.sources"
: >"$work/no32/binfmt/register"
cat >"$work/no32/wine32" <<'STUB'
#!/usr/bin/env bash
grep -qF ':stellwick-i386:M::\x7f\x45\x4c\x46\x01\x01\x01\x00' "$STATE/binfmt/register" &&
  grep -qF ":$STATE/bin/qemu-i386:F" "$STATE/binfmt/register"
STUB
chmod +x "$work/no32/wine32"
printf '%s\n' cmake make g++ clang googletest libgtest-dev g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix \
  binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine wine64 wine32:i386 xvfb xauth x11-utils xdotool fonts-wqy-zenhei fonts-wqy-microhei locales \
  imagemagick python3-pil zip unzip file libclang-rt-16-dev >"$work/no32/installed"
run no32 0 0 0
[ $rc -eq 0 ] || fail "no 32-bit kernel: exit $rc"
backports=$work/no32/apt/sources.list.d/stellwick-backports.sources
grep -qx 'URIs: http://mirror/debian' "$backports" 2>/dev/null && grep -qx 'Suites: bookworm-backports' "$backports" ||
  fail "no 32-bit kernel: backports not added from the release's own source"
grep -q '^apt-get install .*-t bookworm-backports .*qemu-user' "$work/no32/calls" ||
  fail "no 32-bit kernel: emulator not installed from backports"
"$work/no32/wine32" || fail "no 32-bit kernel: no registration for 32-bit programs"
grep -q 'note: no emulator' "$work/no32/out" && fail "no 32-bit kernel: reported as not set up"

if [ $failures -gt 0 ]; then
  for s in midsync broken no32; do echo "--- $s output:"; cat "$work/$s/out"; done
  exit 1
fi
echo "bootstrap fall-back: all cases passed"
