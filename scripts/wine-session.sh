# Sourced by the scripts that run Windows programs: a private Wine prefix with one
# virtual desktop and a CJK font, on an Xvfb display of its own. Everything started
# here is stopped by process id or by `wineserver -k` on this prefix, never by name,
# so two sessions on one machine never touch each other.

wine_session_start() {
  local root="$1"
  export WINEPREFIX="$root/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64

  mkdir -p "$root"
  local displayfile="$root/xvfb-display"
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >"$root/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local waited=0
  while [ ! -s "$displayfile" ]; do
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -gt 100 ]; then echo "Xvfb did not start" >&2; return 1; fi
  done
  export DISPLAY=":$(head -n1 "$displayfile")"

  if [ ! -f "$WINEPREFIX/.pivora-ready" ]; then
    echo "preparing the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # One virtual desktop for every program of the prefix: real title bars, real focus.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.pivora-ready"
  fi
  # Wine draws the caption buttons with Marlett, and as the letters "r", "0", "1"
  # without it. Checked at every start, so a prefix made before this gets it too.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/marlett.ttf" ] || cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  # A run cut short during a display-scale pass left its DPI in the prefix.
  local dpi
  dpi=$(awk '/^\[/ { desktop = index($0, "[Control Panel\\\\Desktop]") == 1 }
             desktop && /^"LogPixels"=/' "$WINEPREFIX/user.reg")
  if [ -n "$dpi" ] && [ "$dpi" != '"LogPixels"=dword:00000060' ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    wineserver -w
  fi
  # A persistent server keeps every later program start fast. Starting the prefix's
  # services here, with their output going nowhere, keeps them from inheriting the
  # pipes of a later caller (ctest would wait on those pipes for ever).
  wineserver -p
  wine wineboot </dev/null >/dev/null 2>&1
  wine_link_cjk_font
}

# Japanese text renders once a CJK font is linked to the faces the dialogs use. Wine
# puts its own links back whenever the code page changes (the pass in Japanese, and
# the next one in English), so they are checked at every start, after Wine's own.
wine_link_cjk_font() {
  local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local font='NotoSansCJK-Regular.ttc,Noto Sans CJK JP' links face
  links=$(wine reg query "$link" 2>/dev/null | tr -d '\r')
  for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2'; do
    grep -qxF "    $face    REG_MULTI_SZ    $font" <<<"$links" ||
      wine reg add "$link" /v "$face" /t REG_MULTI_SZ /d "$font" /f >/dev/null 2>&1
  done
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  XVFB_PID=
}

# Runs a command with Wine in another locale: the session restarts in it and is
# stopped after. The prefix stays: Wine takes the code page, the UI language and the
# keyboard layout (with its IME) from the environment at each start of its server.
# PIVORA_CODE_PAGE tells the cases which code page the pass expects.
wine_session_in_locale() {
  local root="$1" locale="$2" codepage="$3"
  shift 3
  wine_session_stop
  (
    export LANG="$locale" LC_ALL="$locale" PIVORA_CODE_PAGE="$codepage"
    trap wine_session_stop EXIT
    wine_session_start "$root" && "$@"
  )
}

# Windows paths of Linux files, for command lines handed to Wine.
wine_path() { printf 'Z:%s' "$(realpath "$1" | tr / '\\')"; }

# Display scale: Wine hands every program of the prefix the system DPI, which
# LogPixels sets for the programs started after the server restarts.
wine_session_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
}

# The cases labelled dpi once at each DPI given (120 is 125 %, 144 is 150 %, 192 is
# 200 %), with the ctest arguments that follow "--"; then back to 96 DPI.
wine_dpi_passes() {
  local dpis=() failed=0 dpi
  while [ $# -gt 0 ] && [ "$1" != -- ]; do dpis+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  for dpi in "${dpis[@]}"; do
    echo "display scale: $dpi DPI"
    wine_session_dpi "$dpi"
    ctest --output-on-failure -L dpi "$@" || failed=1
  done
  wine_session_dpi 96
  return $failed
}
