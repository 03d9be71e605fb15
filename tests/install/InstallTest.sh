#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs: both programs, the
# read-only shipped palettes beside the user's own, the desktop entry, the icon at every size and
# the file types. Then starts the installed editor offscreen with several files.
# Usage: InstallTest.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in velmora velmora-cli; do
  [[ -x $prefix/bin/$program ]] || fail "bin/$program missing"
done
palettes=$prefix/share/velmora/Palettes
[[ -f $palettes/Default.plt256 ]] || fail "shipped palettes missing"
[[ ! -w $palettes/Default.plt256 || $(id -u) -eq 0 ]] || fail "shipped palettes are writable"
[[ $(stat -c %a "$palettes/Default.plt256") == 444 ]] || fail "shipped palettes not read-only"

desktop=$prefix/share/applications/velmora.desktop
[[ -f $desktop ]] || fail "desktop entry missing"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
grep -qx 'Exec=velmora %F' "$desktop" || fail "desktop entry does not pass several files"
grep -qx 'GenericName=Image Editor' "$desktop" || fail "generic name"
grep -qx 'Categories=Graphics;2DGraphics;RasterGraphics;' "$desktop" || fail "categories"
for type in image/bmp image/gif image/jpeg image/png image/vnd.microsoft.icon; do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "desktop entry lacks $type"
  grep -q "type=\"$type\"" "$prefix/share/mime/packages/velmora.xml" || fail "no file type $type"
done
if command -v xmllint >/dev/null; then xmllint --noout "$prefix/share/mime/packages/velmora.xml"; fi

for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/velmora.png
  [[ -f $icon ]] || fail "icon $size missing"
  [[ $(identify -format '%w %h %A' "$icon") == "$size $size "@(Blend|True) ]] ||
    fail "icon $size is $(identify -format '%w %h %A' "$icon")"
done

# The installed programs find the shipped palettes, and list the user's own with them.
export XDG_DATA_HOME=$work/data HOME=$work/home XDG_CONFIG_HOME=$work/config
unset VELMORA_PALETTES
mkdir -p "$XDG_DATA_HOME/velmora/Palettes" "$HOME"
"$prefix/bin/velmora-cli" palette "$palettes/Grayscale.plt16" "$XDG_DATA_HOME/velmora/Palettes/Mine.gpl"
listed=$("$prefix/bin/velmora-cli" palettes)
grep -qx "$XDG_DATA_HOME/velmora/Palettes/Mine.gpl" <<<"$listed" || fail "user palette not listed"
grep -qx "$palettes/Default.plt16" <<<"$listed" || fail "shipped palette not listed: $listed"

# The installed editor starts with several files (one of them damaged) and keeps running.
"$prefix/bin/velmora-cli" convert "$palettes/../../icons/hicolor/32x32/apps/velmora.png" "$work/a.bmp"
"$prefix/bin/velmora-cli" convert "$work/a.bmp" "$work/b.ico"
echo "not a picture" >"$work/c.gif"
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/velmora" "$work/a.bmp" "$work/b.ico" "$work/c.gif" \
  >"$work/log" 2>&1 || status=$?
[[ $status -eq 124 ]] || { cat "$work/log"; fail "the installed editor stopped with $status"; }
echo "install test passed"
