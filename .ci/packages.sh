#!/usr/bin/env bash
# Packages: builds the .deb and the Windows zip twice each from this checkout and checks that
# they hold the same bytes; checks their file lists, the man pages and lintian; installs the .deb
# into a scratch root, runs the installed programs on the installed sample font against the
# build-tree programs, and removes it again; runs the programs from the zip under Wine.
# Everything it builds or unpacks stays under build-pkg-ci/ (or $FONTSCAN_PKG_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
work=${FONTSCAN_PKG_DIR:-$source_dir/build-pkg-ci}
jobs=2
start=$SECONDS

step() { printf '\n==== %s\n' "$*"; }
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

for tool in cmake ninja gzip dpkg dpkg-deb lintian mandoc groff man unzip wine wineserver \
  x86_64-w64-mingw32-g++-posix; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# Every time stamp in the packages is the last commit's time, unless the caller sets another.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct) ||
    fail "no commit to take SOURCE_DATE_EPOCH from"
fi
export SOURCE_DATE_EPOCH TZ=UTC
# The .deb's outer ar headers carry the modes of the files CPack writes for them, so the bytes
# depend on the umask; what the packages hold does not (checked below).
umask 022
printf 'SOURCE_DATE_EPOCH=%s (%s)\n' "$SOURCE_DATE_EPOCH" "$(date -u -d "@$SOURCE_DATE_EPOCH")"

deb=fontscan_1.0.0_amd64.deb
zip=fontscan-1.0.0-win64.zip

# What the packages must hold, no more and no less.
doc_files="LICENSE
README.md
examples/8x8_basic_dhepper.h
licenses/README.md
licenses/font-5x7-ht1632.txt
licenses/font-5x7-stm32.txt
licenses/font-6x8-picopixel.txt
licenses/font-8x16-hubenchang.txt
licenses/font-8x8-citren0.txt
licenses/font-8x8-dhepper.txt
licenses/stb.txt
licenses/zlib.txt"
prefix_files=$(
  printf '%s\n' bin/fontscan bin/fontsheet share/man/man1/fontscan.1.gz \
    share/man/man1/fontsheet.1.gz
  sed 's|^|share/doc/fontscan/|' <<<"$doc_files"
)
deb_files=$(
  {
    sed 's|^|usr/|' <<<"$prefix_files"
    printf '%s\n' usr/share/doc/fontscan/copyright usr/share/doc/fontscan/changelog.gz \
      usr/share/lintian/overrides/fontscan
  } | LC_ALL=C sort
)
zip_files=$(
  { printf '%s\n' fontscan.exe fontsheet.exe licenses/mingw-w64-runtime.txt; cat <<<"$doc_files"; } |
    sed 's|^|fontscan-1.0.0-win64/|' | LC_ALL=C sort
)

expect_files() {  # what, expected list, actual list
  if [[ "$2" != "$3" ]]; then
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2 || true
    fail "$1: the files differ from the expected list (< expected, > found)"
  fi
}

step "Man pages: groff and mandoc warnings"
for page in docs/fontscan.1 docs/fontsheet.1; do
  out=$( { groff -man -ww -z "$page"; mandoc -T lint "$page"; } 2>&1) || true
  [[ -z "$out" ]] || fail "$page: $out"
done
echo "clean"

# Fresh configure and build in $1, then cpack; extra cmake arguments follow.
build_package() {
  local dir=$1
  shift
  rm -rf "$dir"
  cmake -S "$source_dir" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFONTSCAN_TESTS=OFF \
    "$@" >/dev/null
  cmake --build "$dir" -j "$jobs" >/dev/null
  (cd "$dir" && cpack >/dev/null)
}

step "Debian package, built twice"
build_package "$work/deb-1"
build_package "$work/deb-2"
step "Windows zip, built twice"
windows=(-DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake")
build_package "$work/zip-1" "${windows[@]}"
build_package "$work/zip-2" "${windows[@]}"

step "Reproducible: both builds give the same bytes"
for package in "deb-1/packages/$deb deb-2/packages/$deb" "zip-1/packages/$zip zip-2/packages/$zip"; do
  read -r one two <<<"$package"
  if ! cmp "$work/$one" "$work/$two"; then
    diff <(dpkg-deb -c "$work/$one" 2>/dev/null || unzip -Zl "$work/$one") \
      <(dpkg-deb -c "$work/$two" 2>/dev/null || unzip -Zl "$work/$two") >&2 || true
    fail "$one and $two differ"
  fi
  printf '%s: identical (%s)\n' "${one##*/}" "$(sha256sum "$work/$one" | cut -c1-16)"
done

step "The same contents when packed under another umask and time zone"
(cd "$work/deb-2" && umask 077 && TZ=Asia/Tokyo cpack -B "$work/deb-umask" >/dev/null)
(cd "$work/zip-2" && umask 077 && TZ=Asia/Tokyo cpack -B "$work/zip-umask" >/dev/null)
cmp <(dpkg-deb --ctrl-tarfile "$work/deb-1/packages/$deb") \
  <(dpkg-deb --ctrl-tarfile "$work/deb-umask/$deb") || fail "control files differ"
cmp <(dpkg-deb --fsys-tarfile "$work/deb-1/packages/$deb") \
  <(dpkg-deb --fsys-tarfile "$work/deb-umask/$deb") || fail "installed files differ"
cmp "$work/zip-1/packages/$zip" "$work/zip-umask/$zip" || fail "zips differ"
echo "identical"

step "Debian package: files, modes, time stamps, control fields"
deb_path=$work/deb-1/packages/$deb
listing=$(dpkg-deb -c "$deb_path")
expect_files "$deb" "$deb_files" "$(awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' <<<"$listing")"
# Owner root, programs 0755, everything else 0644, folders 0755, all stamped with the commit time.
stamp=$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M')
while read -r mode owner _ day time path; do
  case $mode in
    d*) want=drwxr-xr-x ;;
    *) [[ $path == ./usr/bin/* ]] && want=-rwxr-xr-x || want=-rw-r--r-- ;;
  esac
  [[ $mode == "$want" && $owner == root/root ]] || fail "$path: $mode $owner"
  [[ "$day $time" == "$stamp" ]] || fail "$path: time stamp $day $time, not $stamp"
done <<<"$listing"
fields=$(dpkg-deb -f "$deb_path")
grep -qx 'Package: fontscan' <<<"$fields" || fail "Package field"
grep -qx 'Version: 1.0.0' <<<"$fields" || fail "Version field"
grep -qx 'Architecture: amd64' <<<"$fields" || fail "Architecture field"
# shlibdeps: a Depends field exactly when the programs load shared libraries (they are static
# unless built with FONTSCAN_STATIC=OFF).
if objdump -p "$work/deb-1/fontscan" "$work/deb-1/fontsheet" | grep -q NEEDED; then
  grep -q '^Depends: .*libc6' <<<"$fields" || fail "dynamic programs, but no Depends on libc6"
else
  if grep -q '^Depends:' <<<"$fields"; then
    fail "static programs, yet $(grep '^Depends:' <<<"$fields")"
  fi
fi
echo "ok"

step "Debian package: lintian"
# Info tags are shown; an error or a warning fails. The tags the package overrides (static
# programs, zlib in fontsheet; see usr/share/lintian/overrides/fontscan) are listed after them.
status=0
out=$(lintian --fail-on error,warning --display-info "$deb_path" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$out" || true
((status == 0)) || fail "lintian reports errors or warnings"
lintian --show-overrides "$deb_path" 2>/dev/null | grep '^O: ' || true
echo "no errors, no warnings"

step "Install under a prefix: cmake --install"
rm -rf "$work/prefix"
cmake --install "$work/deb-1" --prefix "$work/prefix" >/dev/null
expect_files "cmake --install" "$(LC_ALL=C sort <<<"$prefix_files")" \
  "$(cd "$work/prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)"
echo "ok"

step "Debian package: dpkg -i into a scratch root"
root=$work/root
rm -rf "$root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
# --path-include: a container's dpkg configuration may leave out /usr/share/doc and man pages.
dpkg --root="$root" --path-include='/*' -i "$deb_path" >/dev/null
dpkg --root="$root" -s fontscan | grep -qx 'Status: install ok installed' || fail "not installed"
expect_files "installed files" "$deb_files" \
  "$(cd "$root" && find usr -type f | LC_ALL=C sort)"
cmp "$root/usr/share/doc/fontscan/examples/8x8_basic_dhepper.h" examples/8x8_basic_dhepper.h
for page in fontscan fontsheet; do
  installed=$root/usr/share/man/man1/$page.1.gz
  zcat "$installed" | cmp - "docs/$page.1" || fail "$installed is not docs/$page.1"
  [[ $(man --manpath="$root/usr/share/man" -w "$page") == "$installed" ]] ||
    fail "man does not find $page"
  out=$(man --warnings -l "$installed" 2>&1 >/dev/null) || fail "man -l $installed failed"
  [[ -z "$out" ]] || fail "man -l $installed: $out"
done

# The same runs with the installed programs and the build-tree ones, each in its own folder on
# its own copy of the installed sample font; the console output and the files written must be
# the same bytes.
runs=$work/runs
rm -rf "$runs"
run_programs() {  # bin folder, output folder
  local bin=$1 dir=$2
  mkdir -p "$dir"
  cp "$root/usr/share/doc/fontscan/examples/8x8_basic_dhepper.h" "$dir/"
  cd "$dir"
  "$bin/fontscan" 8x8_basic_dhepper.h >scan.txt
  "$bin/fontscan" 8x8_basic_dhepper.h -bw /cg5112233 >scan-options.txt
  "$bin/fontscan" >scan-help.txt
  "$bin/fontsheet" 8x8_basic_dhepper.h /rows /lsb /s4 >sheet.txt ||
    fail "$bin/fontsheet did not draw the sheet"
  cp 8x8_basic_dhepper.png 8x8_sheet.png
  "$bin/fontsheet" 8x8_sheet.png /rows /lsb /s4 >read-back.txt ||
    fail "$bin/fontsheet did not read the sheet back"
  cd "$source_dir"
}
run_programs "$root/usr/bin" "$runs/installed"
run_programs "$work/deb-1" "$runs/build-tree"
for file in scan.txt scan-options.txt scan-help.txt sheet.txt read-back.txt 8x8_basic_dhepper.png \
  8x8_sheet.h; do
  cmp "$runs/installed/$file" "$runs/build-tree/$file" || fail "installed and build-tree $file differ"
done
# What both gave is a whole successful run, not the same failure twice.
grep -q $'^Reading symbol #128 finished.\r$' "$runs/installed/scan.txt" || fail "fontscan read no font"
grep -q $'^clG5 = R:17 G:34 B:51\r$' "$runs/installed/scan-options.txt" || fail "fontscan options"
grep -q '^Command line parameters:' "$runs/installed/scan-help.txt" || fail "fontscan help"
if grep 'ERROR' "$runs/installed/scan.txt" "$runs/installed/sheet.txt" \
  "$runs/installed/read-back.txt"; then
  fail "an installed program reported an error"
fi
# The installed programs' round trip gives the sample font's bytes back.
font_bytes() { grep -o '0x[0-9A-Fa-f][0-9A-Fa-f]' "$1" | tr a-f A-F; }
cmp <(font_bytes "$runs/installed/8x8_sheet.h") <(font_bytes examples/8x8_basic_dhepper.h) ||
  fail "the sheet read back does not give the sample font's bytes"
echo "installed and build-tree programs: the same output"

dpkg --root="$root" -r fontscan >/dev/null
left=$(cd "$root" && find . -path ./var -prune -o ! -name . -print)
[[ -z "$left" ]] || fail "left after dpkg -r: $left"
rm -rf "$root"
echo "removed, nothing left"

step "Windows zip: files, and the programs under Wine"
zip_path=$work/zip-1/packages/$zip
expect_files "$zip" "$zip_files" "$(unzip -Z1 "$zip_path" | grep -v '/$')"
unzipped=$work/unzipped
rm -rf "$unzipped"
mkdir -p "$unzipped"
unzip -q "$zip_path" -d "$unzipped"
export WINEDEBUG=-all WINEPREFIX=$work/wineprefix
wineserver -p </dev/null >/dev/null 2>&1 || true  # or one is already running
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineboot -i </dev/null >/dev/null 2>&1
# Run from the unpacked folder, as a user would, and against the Linux build on the same
# relative paths: the output is the same bytes, CR LF and all.
(
  cd "$unzipped/fontscan-1.0.0-win64"
  wine fontscan.exe examples/8x8_basic_dhepper.h -bw /cg5112233 >"$runs/win-scan.txt"
  wine fontsheet.exe examples/8x8_basic_dhepper.h /rows /lsb /s4 >"$runs/win-sheet.txt" ||
    fail "fontsheet.exe did not draw the sheet"
)
mkdir -p "$runs/linux/examples"
cp examples/8x8_basic_dhepper.h "$runs/linux/examples/"
(
  cd "$runs/linux"
  "$work/deb-1/fontscan" examples/8x8_basic_dhepper.h -bw /cg5112233 >"$runs/linux-scan.txt"
  "$work/deb-1/fontsheet" examples/8x8_basic_dhepper.h /rows /lsb /s4 >"$runs/linux-sheet.txt"
)
grep -q $'^Reading symbol #128 finished.\r$' "$runs/win-scan.txt" || fail "fontscan.exe read no font"
cmp "$runs/win-scan.txt" "$runs/linux-scan.txt" || fail "fontscan.exe and fontscan differ"
cmp "$runs/win-sheet.txt" "$runs/linux-sheet.txt" || fail "fontsheet.exe and fontsheet differ"
cmp "$unzipped/fontscan-1.0.0-win64/examples/8x8_basic_dhepper.png" \
  "$runs/linux/examples/8x8_basic_dhepper.png" || fail "fontsheet.exe drew another sheet"
wineserver -k >/dev/null 2>&1 || true
trap - EXIT
echo "fontscan.exe and fontsheet.exe from the zip: the same output as the Linux programs"

printf '\nPackages step: %d s\n' $((SECONDS - start))
