#!/usr/bin/env bash
# Prints the Scoop manifest of a release zip made by make-package.sh: the version
# from the zip's name, the hash from its bytes, the download address from
# PIVORA_RELEASE_URL (with {version} and {file} in it) or the project's release page.
#   scoop-manifest.sh <Pivora64-<version>.zip>
set -euo pipefail
zip="$1"
file=$(basename "$zip")
version=${file#Pivora64-}
version=${version%.zip}
if [ "$file" != "Pivora64-$version.zip" ] || [ -z "$version" ]; then
  echo "not a release zip: $zip" >&2
  exit 1
fi
default_url='https://github.com/pivora64/pivora64/releases/download/v{version}/{file}'
template=${PIVORA_RELEASE_URL:-$default_url}
url=${template//\{version\}/$version}
url=${url//\{file\}/$file}
# Scoop fills $version in itself when it updates the manifest.
update_url=${template//\{version\}/\$version}
update_url=${update_url//\{file\}/Pivora64-\$version.zip}
hash=$(sha256sum "$zip" | cut -d' ' -f1)

jq -n --arg version "$version" --arg url "$url" --arg hash "$hash" --arg update "$update_url" '{
  version: $version,
  description: "A small per-file-type launcher: twelve buttons of programs for the file it is opened with",
  homepage: "https://github.com/pivora64/pivora64",
  license: "MIT",
  architecture: { "64bit": { url: $url, hash: $hash } },
  bin: "Pivora64.exe",
  shortcuts: [ [ "register.cmd", "Pivora64 - add to Explorer" ] ],
  persist: [ "Pivora64.ini", "iconcache" ],
  pre_install: [
    "if (!(Test-Path \"$persist_dir\\Pivora64.ini\")) { Copy-Item \"$dir\\Pivora64.sample.ini\" \"$dir\\Pivora64.ini\" }"
  ],
  notes: [
    "Add Pivora64 to \"Open with\", \"Send to\" and the context menu with the Start menu entry or by running:",
    "  \"$dir\\register.cmd\"",
    "Before uninstalling, take that away again with \"$dir\\unregister.cmd\"."
  ],
  checkver: "github",
  autoupdate: { architecture: { "64bit": { url: $update } } }
}'
