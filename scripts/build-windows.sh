#!/usr/bin/env bash
# Installs what is missing and builds the given targets of the Windows side
# (Release, MinGW-w64) in build/windows; every target when none is given.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/install-deps.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build/windows -j "$(nproc)" "${targets[@]}"
