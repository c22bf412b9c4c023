#!/usr/bin/env bash
# The released zips as a user meets them.
#   scripts/unzip-test.sh ZIP_DIR BUILD_ROOT
# Every zip Korvi8-VERSION-win32.zip / -win64.zip in ZIP_DIR is checked from its files: it holds
# exactly the exe, the manual with its pictures, the two stock pictures, the license and the
# read-me (naming VERSION), and its exe passes scripts/check-exe.py with that version.
# A zip whose exe this machine can run is then unpacked alone into C:\Korvi8 of a fresh Wine
# prefix (nothing installed before it, nothing beside it) and started there by the end-to-end
# test UnzippedRelease (tests/e2e/Unzipped_e2e.cpp, from the test build in BUILD_ROOT): the panel
# appears, the about box shows and goes, Help shows the manual, Exit writes Korvi8.ini there.
# Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zips=$(cd "${1:?usage: $0 ZIP_DIR BUILD_ROOT}" && pwd)
build=$(cd "${2:?usage: $0 ZIP_DIR BUILD_ROOT}" && pwd)
source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"
work=""
trap 'wine_env_stop; [ -n "$work" ] && rm -rf "$work"' EXIT

status=0
fail() { echo "  FAILED $*"; status=1; }
found=0
for zip in "$zips"/Korvi8-*-win32.zip "$zips"/Korvi8-*-win64.zip; do
  [ -f "$zip" ] || continue
  found=$((found + 1))
  name=$(basename "$zip" .zip)
  version=${name#Korvi8-}; version=${version%-win*}
  case "$name" in *-win32) arch=i686 ;; *) arch=x86_64 ;; esac
  echo "=== $name.zip ($arch)"
  work=$(mktemp -d "$build/unzip-test.XXXXXX")

  # What it holds, read from the zip alone.
  unzip -tq "$zip" >/dev/null || fail "the zip is damaged"
  unzip -q "$zip" -d "$work/files" || { fail "cannot unpack"; continue; }
  pictures=$(grep -o '<img[^>]*src="[^"]*"' "$work/files/korvi8.html" 2>/dev/null | sed 's/.*src="\([^"]*\)"/\1/')
  want=$(printf '%s\n' Korvi8.exe korvi8.html CONTROL.BMP EXPLORER.BMP LICENSE.txt README.txt $pictures | sort -u)
  have=$(cd "$work/files" && find . -mindepth 1 | sed 's|^\./||' | sort)
  [ "$have" = "$want" ] || fail "holds $(echo $have), not $(echo $want)"
  head -1 "$work/files/README.txt" 2>/dev/null | grep -q "^Korvi8 $version " || fail "README.txt does not name version $version"
  grep -q "Permission is hereby granted" "$work/files/LICENSE.txt" 2>/dev/null || fail "LICENSE.txt holds no license"
  python3 "$root/scripts/check-exe.py" "$work/files/Korvi8.exe" "$arch" --version "$version" || fail "static checks of Korvi8.exe"

  if [ "$arch" = i686 ] && ! korvi_can_run_wine32; then
    echo "  not started: $KORVI_NO32_WHY; checked from its files only"
    rm -rf "$work"; work=""
    continue
  fi
  tests=$(korvi_win_build_dir "$build" "$arch")/korvi_e2e_tests.exe
  [ -f "$tests" ] || { fail "no $tests to drive it with"; rm -rf "$work"; work=""; continue; }

  # A fresh prefix of its own (the test build's prefix holds what the other tests left).
  unset KORVI_WINE_ARCH
  wine_env_arch "$arch" "$work"
  wine_env_start "$work" || { fail "no Wine prefix"; wine_env_stop; rm -rf "$work"; work=""; continue; }
  mkdir -p "$WINEPREFIX/drive_c/Korvi8"
  unzip -q "$zip" -d "$WINEPREFIX/drive_c/Korvi8"
  shots="$build/screenshots/unzipped-$arch"
  mkdir -p "$shots"
  log="$work/e2e.log"
  KORVI_UNZIPPED='C:\Korvi8' KORVI_SCREENSHOT_DIR="Z:${shots//\//\\}" \
    "$root/scripts/wine-run.sh" "$tests" --gtest_brief=1 --gtest_filter='UnzippedRelease.*' </dev/null >"$log" 2>&1
  rc=$?
  sed 's/^/  /' "$log"
  [ $rc = 0 ] || fail "the unpacked Korvi8.exe under Wine"
  grep -q "SKIPPED\|0 tests" "$log" && fail "the unpacked Korvi8.exe was not started"
  after=$(cd "$WINEPREFIX/drive_c/Korvi8" && find . -mindepth 1 | sed 's|^\./||' | sort)
  [ "$after" = "$(printf '%s\n' $want Korvi8.ini | sort)" ] || fail "after Exit the folder holds $(echo $after)"
  wine_env_stop
  for f in "$shots"/*.bmp; do [ -e "$f" ] && convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
  rm -rf "$work"; work=""
done
[ $found -gt 0 ] || fail "no Korvi8-*-win32.zip or -win64.zip in $zips"
[ $status = 0 ] && echo "=== unzip test passed"
exit $status
