#!/usr/bin/env bash
# Packs a built Pivora64.exe with what ships beside it into
# <out>/Pivora64-<version>.zip, writes the Scoop manifest beside it and prints the
# zip's SHA-256. scripts/package.sh builds the exe first; the test run calls this
# directly with the exe it has just built.
#   make-package.sh <Pivora64.exe> <out folder>
set -euo pipefail
exe="$1"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
root="$(cd "$(dirname "$0")/.." && pwd)"
version=$(bash "$root/scripts/version.sh")
name="Pivora64-$version"

stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage"

# Text files go out with Windows line ends; the settings sample in UTF-16LE with a
# byte-order mark, the encoding the launcher gives a settings file it creates.
crlf() { sed 's/\r*$/\r/' "$1"; }
cp "$exe" "$stage/Pivora64.exe"
{ printf '\xff\xfe'; crlf "$root/samples/Pivora64.sample.ini" | iconv -f UTF-8 -t UTF-16LE; } \
  >"$stage/Pivora64.sample.ini"
# The read-mes in UTF-8 with a byte-order mark, so that every Notepad shows the Japanese.
for readme in ReadMe.txt ReadMe-en.txt; do
  { printf '\xef\xbb\xbf'; crlf "$root/package/$readme" | sed "s/@VERSION@/$version/"; } >"$stage/$readme"
done
crlf "$root/LICENSE" >"$stage/LICENSE.txt"
scripts="register.cmd unregister.cmd sendto-shortcut.js context-menu.js copy-path.cmd"
for script in $scripts; do
  crlf "$root/package/$script" >"$stage/$script"
done

# The same sources give the same zip: fixed times and order, no extra attributes.
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
find "$stage" -type f -exec touch -d "@$stamp" {} +
zip="$out/$name.zip"
rm -f "$zip"
# shellcheck disable=SC2086
(cd "$stage" && TZ=UTC zip -q -X "$zip" Pivora64.exe Pivora64.sample.ini ReadMe.txt ReadMe-en.txt \
  LICENSE.txt $scripts)

hash=$(sha256sum "$zip" | cut -d' ' -f1)
echo "$hash  $name.zip" >"$zip.sha256"
bash "$root/scripts/scoop-manifest.sh" "$zip" >"$out/pivora64.json"
echo "$zip"
echo "SHA-256: $hash"
echo "Scoop manifest: $out/pivora64.json"
