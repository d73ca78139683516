#!/usr/bin/env bash
# Builds the Windows side and runs the start-up benchmark under Wine on a private
# display. Extra arguments go to the benchmark (for example: --iterations 30, or
# --compare with another build of Pivora64.exe as a Windows path); a first --dpi N
# runs it at that display scale (120 is 125 %, 144 is 150 %).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
dpi=96
if [ "${1:-}" = --dpi ]; then dpi="$2"; shift 2; fi
bash scripts/build-windows.sh startup_bench
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build/wine"
[ "$dpi" = 96 ] || wine_session_dpi "$dpi"
cd build/windows
status=0
wine ./startup_bench.exe "$@" || status=$?
[ "$dpi" = 96 ] || wine_session_dpi 96
exit $status
