#!/usr/bin/env bash
# Retakes the README's pictures under Wine on a private display: the launcher on
# samples/sample.txt with the sample settings as they ship (docs/pivora-window.png,
# and at 150 % docs/pivora-window-144.png), and the edit dialog that Shift+Enter
# opens on its second slot (docs/edit-dialog.png); the window at 200 % and the
# dialog at 150 % in build/screenshots to look at.
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
# At 100 %, 150 % and 200 %; the README shows the first two of the window.
for dpi in 96 144 192; do
  wine_session_dpi "$dpi"
  wine build/windows/window_capture.exe "$(wine_path "$shots/app")" "$(wine_path "$shots/app/sample.txt")" \
    "$(wine_path "$shots")\\window-$dpi.bmp" "$(wine_path "$shots")\\dialog-$dpi.bmp"
done
wine_session_dpi 96

# No time stamps in the PNGs, so an unchanged picture gives an unchanged file.
# (The edit dialog at 200 % is wider than the prefix's 800 x 600 desktop.)
for pair in window-96:docs/pivora-window dialog-96:docs/edit-dialog window-144:docs/pivora-window-144 \
  window-192:"$shots/window-192" dialog-144:"$shots/dialog-144"; do
  convert "$shots/${pair%%:*}.bmp" -strip -define png:exclude-chunks=date,time "${pair#*:}.png"
  echo "${pair#*:}.png"
done
[ -z "$saved_display" ] || export DISPLAY="$saved_display"
