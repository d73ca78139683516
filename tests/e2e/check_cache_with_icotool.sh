#!/usr/bin/env bash
# An independent reader must accept the cache file the launcher writes: runs the
# end-to-end case that writes one, then lists it with icotool (icoutils).
set -euo pipefail
e2e="$1"
wine "$e2e" --gtest_filter=Icons.CacheIsWrittenThenServesWithoutTheSource
file=$(find "$WINEPREFIX/drive_c" -path '*pivora-e2e/Icons.CacheIsWrittenThenServesWithoutTheSource/iconcache/tool.exe.ico' | head -n1)
[ -n "$file" ] || { echo "no cache file was written"; exit 1; }
listing=$(icotool -l "$file")
echo "$listing"
echo "$listing" | grep -q -- '--icon --index=1 --width=[0-9]* --height=[0-9]* --bit-depth=32'
