#!/usr/bin/env bash
# Makes the Debian package from a build tree with cpack (or takes a given one), unpacks it and
# checks that it holds what a desktop needs and that the program in it starts.
#   package_test.sh <build folder> [zelledit_*.deb]
# Ends with 77, which ctest counts as skipped, when Debian's packaging tools are missing.
set -uo pipefail
build=$1
for tool in dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -ge 2 ]; then
  deb=$2
else
  # A Ninja build tree has no pre-install step: cpack installs what is built and builds nothing.
  if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
  fi
  deb=$(ls "$work"/out/zelledit_*.deb)
fi
echo "package: $deb"

status=0
fail() {
  echo "FAIL: $*"
  status=1
}

# The package's own fields, and dependencies found from the program's shared libraries.
[ "$(dpkg-deb -f "$deb" Package)" = zelledit ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 0.9 ] || fail "version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6serialport6 libqscintilla2-qt6 libc6; do
  [[ "$depends" == *"$library"* ]] || fail "no dependency on $library: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
share=$root/usr/share

[ -x "$root/usr/bin/zelledit" ] || fail "usr/bin/zelledit missing or not executable"
for file in zelledit/Zellcmndlist.dat zelledit/Zellhelp.dat \
  applications/com.brevant.zelledit.desktop metainfo/com.brevant.zelledit.metainfo.xml \
  mime/packages/zelledit.xml icons/hicolor/scalable/apps/zelledit.svg man/man1/zelledit.1; do
  [ -s "$share/$file" ] || fail "usr/share/$file missing or empty"
done
cmp -s "$share/zelledit/Zellcmndlist.dat" "$(dirname "$0")/../../resources/Zellcmndlist.dat" ||
  fail "the packaged keyword file differs from the shipped one"

# Every theme size is a PNG of that size (width and height are bytes 16 to 23, big-endian).
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/zelledit.png
  if [ ! -s "$png" ]; then
    fail "icon ${size}x${size} missing"
    continue
  fi
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
  height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
  [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
    fail "icon ${size}x${size} is ${width}x${height}"
done

if command -v rsvg-convert >/dev/null; then
  rsvg-convert -w 256 -h 256 "$share/icons/hicolor/scalable/apps/zelledit.svg" \
    -o "$work/scalable.png" || fail "the scalable icon does not render"
fi

desktop=$share/applications/com.brevant.zelledit.desktop
grep -qx 'Exec=zelledit %F' "$desktop" || fail "desktop entry: Exec"
grep -qx 'Icon=zelledit' "$desktop" || fail "desktop entry: Icon"
grep -q '^MimeType=.*text/x-mmbasic;' "$desktop" || fail "desktop entry: MimeType"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share/metainfo/com.brevant.zelledit.metainfo.xml" ||
    fail "appstreamcli validate"
fi
# The file type compiles into a MIME database that knows both patterns.
if command -v update-mime-database >/dev/null; then
  mkdir -p "$work/mime/packages"
  cp "$share/mime/packages/zelledit.xml" "$work/mime/packages/"
  if update-mime-database "$work/mime" >"$work/mime.log" 2>&1; then
    for pattern in '*.bas' '*.inc'; do
      grep -qxF "50:text/x-mmbasic:$pattern" "$work/mime/globs2" || fail "mime pattern $pattern"
    done
    grep -q 'mmbasic' "$work/mime/magic" || fail "mime magic"
  else
    cat "$work/mime.log"
    fail "update-mime-database"
  fi
fi
if command -v man >/dev/null; then
  man -l "$share/man/man1/zelledit.1" 2>/dev/null | grep -q 'zelledit' || fail "man page"
fi

# The packaged program answers --version without a display, a lock or settings: its home and
# runtime folders stay empty.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
run() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" "$root/usr/bin/zelledit" "$@"
}
if ! version=$(run --version) || [ "$version" != "Zell Edit V0.9" ]; then
  fail "--version printed '$version'"
fi
run --no-such-option >/dev/null 2>&1
[ $? -eq 2 ] || fail "a wrong option does not end with 2"
[ -z "$(find "$work/home" "$work/runtime" -mindepth 1)" ] || fail "--version left files behind"

[ $status -eq 0 ] && echo "package checked"
exit $status
