#!/usr/bin/env bash
# Builds the two released exes and packs each into a zip of its own:
#   Korvi8-VERSION-win32.zip (i686) and Korvi8-VERSION-win64.zip (x86_64)
# each holding Korvi8.exe, the manual korvi8.html with its pictures, CONTROL.BMP, EXPLORER.BMP,
# LICENSE.txt and README.txt, side by side (no folder inside). VERSION is CMake's project version.
#
#   scripts/release.sh [--out DIR] [i686] [x86_64]
#
# It configures and builds the program alone (no tests) in BUILD/release/ARCH (BUILD is
# KORVI_BUILD_DIR, or build/), as released: KORVI_RELEASE_EXE (compiled for size, link-time
# optimised, unused sections dropped, stripped). Each exe is checked by scripts/check-exe.py,
# version included, before it is packed. The zips land in DIR (default BUILD/release).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KORVI_BUILD_DIR:-$root/build}"
out="$build/release"
archs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --out) out="$2"; shift 2 ;;
    i686|x86_64) archs+=("$1"); shift ;;
    *) echo "usage: $0 [--out DIR] [i686] [x86_64]" >&2; exit 2 ;;
  esac
done
[ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)
mkdir -p "$out"
out=$(cd "$out" && pwd)

"$root/scripts/setup.sh"

# What each zip holds, beside the exe; the manual's pictures are read from the manual itself.
shipped=(Korvi8.exe korvi8.html CONTROL.BMP EXPLORER.BMP LICENSE.txt README.txt)

for arch in "${archs[@]}"; do
  dir="$build/release/$arch"
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DKORVI_TESTS=OFF -DKORVI_RELEASE_EXE=ON >/dev/null
  echo "=== release: building Korvi8.exe ($arch) in $dir"
  cmake --build "$dir" -j "$(nproc)" --target Korvi8 >/dev/null
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$dir/CMakeCache.txt")
  case "$version" in
    [0-9]*.[0-9]*.[0-9]*) ;;
    *) echo "release: no project version of three numbers in $dir/CMakeCache.txt ('$version')" >&2; exit 1 ;;
  esac
  python3 "$root/scripts/check-exe.py" "$dir/dist/Korvi8.exe" "$arch" --version "$version"

  files=("${shipped[@]}")
  pictures=$(grep -o '<img[^>]*src="[^"]*"' "$dir/dist/korvi8.html" | sed 's/.*src="\([^"]*\)"/\1/' | sort -u)
  for p in $pictures; do
    case "$p" in */*|*\\*|*:*) echo "release: the manual shows a picture from elsewhere: $p" >&2; exit 1 ;; esac
    files+=("$p")
  done
  for f in "${files[@]}"; do
    [ -f "$dir/dist/$f" ] || { echo "release: $dir/dist/$f is missing" >&2; exit 1; }
  done

  case "$arch" in i686) suffix=win32 ;; x86_64) suffix=win64 ;; esac
  zip="$out/Korvi8-$version-$suffix.zip"
  # Entries in a fixed order with the time of the commit built, so the same sources give the
  # same zip.
  stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
  python3 - "$zip" "$dir/dist" "$stamp" "${files[@]}" <<'PY'
import os, sys, time, zipfile
zip_path, folder, stamp, names = sys.argv[1], sys.argv[2], int(sys.argv[3]), sorted(sys.argv[4:])
when = time.gmtime(max(stamp, 315532800))[:6]  # zip times start in 1980
tmp = zip_path + ".part"
with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name in names:
        info = zipfile.ZipInfo(name, when)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        with open(os.path.join(folder, name), "rb") as f:
            z.writestr(info, f.read())
os.replace(tmp, zip_path)
PY
  unzip -tq "$zip" >/dev/null
  printf '=== release: %s (%d bytes; Korvi8.exe %d bytes)\n' "$zip" "$(stat -c %s "$zip")" "$(stat -c %s "$dir/dist/Korvi8.exe")"
done
