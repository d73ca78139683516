#!/usr/bin/env bash
# Packs the given exe as a release does, then checks what a user or Scoop gets: the
# zip holds exactly the files that ship, in the encodings Windows expects, with a
# sample settings file that refers only to what exists; the Scoop manifest names
# this zip by version, address and hash, and files that the zip has. Leaves the
# zip unpacked in <release folder>/unpacked for the registration tests.
#   check_package.sh <Pivora64.exe> <release folder>
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
exe="$1"
bash "$root/scripts/make-package.sh" "$exe" "$2" || exit 1
version=$(bash "$root/scripts/version.sh") || exit 1
zip="$2/Pivora64-$version.zip"
manifest="$2/pivora64.json"
unpacked="$2/unpacked"
rm -rf "$unpacked"
unzip -q "$zip" -d "$unpacked" || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
in_zip() { [ -f "$unpacked/$1" ] || fail "$2 $1, which is not in the zip"; }
lines() { sed -n "$1" <<<"$text"; }

# Exactly what ships, and never a Pivora64.ini that would overwrite the user's own.
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
[ "$listed" = "LICENSE.txt Pivora64.exe Pivora64.sample.ini ReadMe-en.txt ReadMe.txt context-menu.js copy-path.cmd register.cmd sendto-shortcut.js unregister.cmd " ] ||
  fail "the zip holds [$listed]"
cmp -s "$exe" "$unpacked/Pivora64.exe" || fail "the zipped exe is not the one built"
# Text files with Windows line ends (cmd misreads labels in LF-only scripts).
for file in $(tr ' ' '\n' <<<"$listed" | grep -v '^Pivora64\.'); do
  ! LC_ALL=C grep -q $'[^\r]$\|^$' "$unpacked/$file" || fail "$file has a line without CR LF"
done
# The read-mes: UTF-8 with a byte-order mark (Notepad guesses wrong without one), the
# version, every file of the zip named, and no file named that the zip lacks but the
# user's own settings and the Scoop manifest published beside the zip.
for readme in ReadMe.txt ReadMe-en.txt; do
  file="$unpacked/$readme"
  [ -f "$file" ] || continue
  [ "$(head -c 3 "$file" | od -An -tx1 | tr -d ' ')" = efbbbf ] && iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 ||
    fail "$readme is not UTF-8 with a byte-order mark"
  grep -q "Pivora64 $version" "$file" || fail "$readme does not name version $version"
  for name in $listed; do LC_ALL=C grep -qwF "$name" "$file" || fail "$readme does not name $name"; done
  for name in $(LC_ALL=C grep -oE '(^|[^\A-Za-z0-9_.-])[A-Za-z0-9_][A-Za-z0-9_.-]*\.(exe|ini|txt|cmd|js|json)\b' "$file" | LC_ALL=C sed 's/^[^A-Za-z0-9_]//'); do
    [[ $name == Pivora64.ini || $name == pivora64.json ]] || in_zip "$name" "$readme names"
  done
done

# The sample: UTF-16LE with a byte-order mark, CR LF, and every link and relative
# command pointing at something that is there.
sample="$unpacked/Pivora64.sample.ini"
[ "$(head -c 2 "$sample" | od -An -tx1 | tr -d ' ')" = "fffe" ] || fail "the sample has no UTF-16LE byte-order mark"
text=$(tail -c +3 "$sample" | iconv -f UTF-16LE -t UTF-8) || fail "the sample is not UTF-16LE text"
! LC_ALL=C grep -q $'[^\r]$' <<<"$text" || fail "the sample has a line without CR LF"
text=$(tr -d '\r' <<<"$text")
for key in '^\[SystemSetting\]$' '^\[folder\]$' '^runas[0-9]*=ON$' '^link=' '^command[0-9]*=.*%1' '^command[0-9]*=.*\.cmd$'; do
  grep -q "$key" <<<"$text" || fail "the sample has no line matching $key"
done
for target in $(lines 's/^link=//p'); do
  lines 's/^\[\(.*\)\]$/\1/p' | grep -qxF "$target" || fail "the sample links to a missing section $target"
done
for program in $(lines 's/^command[0-9]*=\(\.\\\)\?\([^:\\ ]*\.cmd\)\( .*\)\?$/\2/p'); do in_zip "$program" "the sample starts"; done

# The Scoop manifest against the zip it names.
field() { jq -r "$1" "$manifest"; }
jq -e . "$manifest" >/dev/null || fail "the manifest is not valid JSON"
[ "$(field .version)" = "$version" ] || fail "manifest version $(field .version), zip $version"
[ "$(field '.architecture."64bit".hash')" = "$(sha256sum "$zip" | cut -d' ' -f1)" ] || fail "the manifest hash is not the zip's"
[[ "$(field '.architecture."64bit".url')" == https://*/v"$version/Pivora64-$version.zip" ]] ||
  fail "the manifest url $(field '.architecture."64bit".url') does not name v$version/Pivora64-$version.zip"
in_zip "$(field .bin)" "the manifest's bin is"
for target in $(field '.shortcuts[][0]'); do in_zip "$target" "a manifest shortcut starts"; done
for kept in Pivora64.ini iconcache; do
  field '.persist[]' | grep -qxF "$kept" || fail "the manifest does not persist $kept"
  [ ! -e "$unpacked/$kept" ] || fail "the zip has $kept, which an update would overwrite"
done
field '.pre_install[]' | grep -qF 'Copy-Item "$dir\Pivora64.sample.ini" "$dir\Pivora64.ini"' ||
  fail "the manifest does not start the settings from the zipped sample"

[ $failures -eq 0 ] || { echo "$failures package check(s) failed" >&2; exit 1; }
echo "package $(basename "$zip") and its manifest checked"
