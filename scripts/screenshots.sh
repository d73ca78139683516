#!/usr/bin/env bash
# Retakes the README's pictures under Wine on a private display: the launcher on
# samples/sample.txt with the sample settings as they ship (docs/pivora-window.png),
# and the edit dialog that Shift+Enter opens on its second slot (docs/edit-dialog.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/build-windows.sh Pivora64 window_capture

# The folder a user has after unpacking the release and renaming the sample.
shots="$root/build/screenshots"
bash scripts/make-package.sh build/windows/Pivora64.exe "$shots/release" >/dev/null
rm -rf "$shots/app"
mkdir -p "$shots/app"
cp "$shots/release/stage/"* "$shots/app/"
mv "$shots/app/Pivora64.sample.ini" "$shots/app/Pivora64.ini"
cp samples/sample.txt "$shots/app/"

source scripts/wine-session.sh
saved_display="${DISPLAY:-}"
trap 'wine_session_stop' EXIT
wine_session_start "$root/build/wine"
wine build/windows/window_capture.exe "$(wine_path "$shots/app")" "$(wine_path "$shots/app/sample.txt")" \
  "$(wine_path "$shots")\\window.bmp" "$(wine_path "$shots")\\dialog.bmp"

# No time stamps in the PNGs, so an unchanged picture gives an unchanged file.
for pair in window.bmp:pivora-window.png dialog.bmp:edit-dialog.png; do
  convert "$shots/${pair%%:*}" -strip -define png:exclude-chunks=date,time "docs/${pair##*:}"
  echo "docs/${pair##*:}"
done
[ -z "$saved_display" ] || export DISPLAY="$saved_display"
