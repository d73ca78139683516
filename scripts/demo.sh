#!/usr/bin/env bash
# Builds the launcher and opens it under Wine on samples/sample.txt, with the files
# of the release zip beside it and the sample settings renamed to Pivora64.ini.
# Uses your X display when there is one; otherwise a private Xvfb, and a
# screenshot of it is saved as build/demo/screenshot.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/build-windows.sh Pivora64

# The folder a user has after unpacking the release and renaming the sample.
demo="$root/build/demo"
bash scripts/make-package.sh build/windows/Pivora64.exe "$demo/release" >/dev/null
mkdir -p "$demo"
cp "$demo/release/stage/"* "$demo/"
mv "$demo/Pivora64.sample.ini" "$demo/Pivora64.ini"
cp samples/sample.txt "$demo/"

source scripts/wine-session.sh
headless=0
if [ -z "${DISPLAY:-}" ]; then headless=1; fi
if [ $headless -eq 1 ]; then
  trap wine_session_stop EXIT
  wine_session_start "$root/build/wine"
else
  saved_display="$DISPLAY"
  export WINEPREFIX="$root/build/wine/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.pivora-ready" ] || [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    wine_session_start "$root/build/wine"; wine_session_stop; export DISPLAY="$saved_display"
  fi
fi

cd "$demo"
wine Pivora64.exe "$(wine_path sample.txt)" &
launcher=$!
if [ $headless -eq 1 ]; then
  sleep 3
  import -window root "$demo/screenshot.png"
  echo "screenshot: $demo/screenshot.png"
  kill "$launcher" 2>/dev/null || true
else
  echo "The launcher is open: Q W E R / A S D F / Z X C V start a slot, Esc closes it."
  wait "$launcher"
fi
