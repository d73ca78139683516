#!/usr/bin/env bash
# Builds the Windows side and runs the start-up benchmark under Wine on a private
# display. Extra arguments go to the benchmark (for example: --iterations 30).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/build-windows.sh startup_bench
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build/wine"
cd build/windows
wine ./startup_bench.exe "$@"
