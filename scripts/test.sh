#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows side, and runs every
# test: the native unit tests, then the Windows tests under Wine on a private display.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$jobs"
bash scripts/build-windows.sh

ctest --test-dir build/native --output-on-failure

source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build/wine"
# No retries: a case that needs one is a case to make deterministic.
ctest --test-dir build/windows --output-on-failure "$@"
# The cases the display scale changes, again at 125 %, 150 % and 200 %.
wine_dpi_passes 120 144 192 -- --test-dir build/windows "$@"
# The cases that depend on the locale, again with Wine in Japanese (code page 932,
# UI language 0411, the Japanese IME), as most users run the launcher. It ends the
# session, so it comes last.
wine_session_in_locale "$root/build/wine" ja_JP.UTF-8 932 \
  ctest --test-dir build/windows --output-on-failure -L locale "$@"
