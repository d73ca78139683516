#!/usr/bin/env bash
# Builds the Release Pivora64.exe and packs build/release/Pivora64-<version>.zip
# (with its SHA-256 and the Scoop manifest pivora64.json beside it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash scripts/build-windows.sh Pivora64
bash scripts/make-package.sh build/windows/Pivora64.exe build/release
