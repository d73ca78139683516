#!/usr/bin/env bash
# Builds the Release Pivora64.exe and packs build/release/Pivora64-<version>.zip
# (with its SHA-256 and the Scoop manifest pivora64.json beside it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/install-deps.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/windows --target Pivora64
bash scripts/make-package.sh build/windows/Pivora64.exe build/release
