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
dir="$2"
bash "$root/scripts/make-package.sh" "$exe" "$dir" || exit 1
version=$(bash "$root/scripts/version.sh") || exit 1
zip="$dir/Pivora64-$version.zip"
manifest="$dir/pivora64.json"
unpacked="$dir/unpacked"
rm -rf "$unpacked"
unzip -q "$zip" -d "$unpacked" || exit 1

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
in_zip() { [ -f "$unpacked/$1" ]; }

# Exactly what ships, and never a Pivora64.ini that would overwrite the user's own.
expected="LICENSE.txt Pivora64.exe Pivora64.sample.ini ReadMe.txt copy-path.cmd register.cmd sendto-shortcut.js unregister.cmd"
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
[ "$listed" = "$expected" ] || fail "zip holds [$listed], expected [$expected]"
cmp -s "$exe" "$unpacked/Pivora64.exe" || fail "the zipped exe is not the one built"

# Text files with Windows line ends (cmd misreads labels in LF-only scripts).
for text in ReadMe.txt LICENSE.txt register.cmd unregister.cmd sendto-shortcut.js copy-path.cmd; do
  if LC_ALL=C grep -q $'[^\r]$\|^$' "$unpacked/$text"; then fail "$text has a line without CR LF"; fi
done
grep -q "Pivora64 $version" "$unpacked/ReadMe.txt" || fail "ReadMe.txt does not name version $version"

# The sample: UTF-16LE with a byte-order mark, CR LF, and every link and relative
# command pointing at something that is there.
sample="$unpacked/Pivora64.sample.ini"
[ "$(head -c 2 "$sample" | od -An -tx1 | tr -d ' ')" = "fffe" ] || fail "sample has no UTF-16LE byte-order mark"
if text=$(tail -c +3 "$sample" | iconv -f UTF-16LE -t UTF-8); then
  if printf '%s' "$text" | LC_ALL=C grep -q $'[^\r]$'; then fail "sample has a line without CR LF"; fi
  text=$(printf '%s' "$text" | tr -d '\r')
  sections=$(printf '%s\n' "$text" | sed -n 's/^\[\(.*\)\]$/\1/p')
  for key in '^\[SystemSetting\]$' '^\[folder\]$' '^runas[0-9]*=ON$' '^link=' '^command[0-9]*=.*%1' '^command[0-9]*=.*\.cmd$'; do
    printf '%s\n' "$text" | grep -q "$key" || fail "sample has no line matching $key"
  done
  while read -r target; do
    printf '%s\n' "$sections" | grep -qxF "$target" || fail "sample links to a missing section $target"
  done < <(printf '%s\n' "$text" | sed -n 's/^link=//p')
  while read -r program; do
    in_zip "$program" || fail "sample starts $program, which is not in the zip"
  done < <(printf '%s\n' "$text" | sed -n 's/^command[0-9]*=\(\.\\\)\?\([^:\\ ]*\.cmd\)\( .*\)\?$/\2/p')
else
  fail "sample is not UTF-16LE text"
fi

# The Scoop manifest against the zip it names.
if jq -e . "$manifest" >/dev/null; then
  field() { jq -r "$1" "$manifest"; }
  [ "$(field .version)" = "$version" ] || fail "manifest version $(field .version), zip $version"
  hash=$(sha256sum "$zip" | cut -d' ' -f1)
  [ "$(field '.architecture."64bit".hash')" = "$hash" ] || fail "manifest hash is not the zip's $hash"
  case "$(field '.architecture."64bit".url')" in
    https://*/v"$version"/"$(basename "$zip")") ;;
    *) fail "manifest url $(field '.architecture."64bit".url') does not name v$version/$(basename "$zip")" ;;
  esac
  in_zip "$(field .bin)" || fail "manifest bin $(field .bin) is not in the zip"
  while read -r target; do
    in_zip "$target" || fail "manifest shortcut $target is not in the zip"
  done < <(field '.shortcuts[][0]')
  for kept in Pivora64.ini iconcache; do
    field '.persist[]' | grep -qxF "$kept" || fail "manifest does not persist $kept"
    [ ! -e "$unpacked/$kept" ] || fail "the zip has $kept, which an update would overwrite"
  done
  while read -r copied; do
    in_zip "$copied" || fail "manifest pre_install copies $copied, which is not in the zip"
  done < <(field '.pre_install[]' | grep -o '\$dir\\\\[^"]*' | sed 's/^\$dir\\\\//')
  [ "$(field '.pre_install[]' | grep -c 'Pivora64.sample.ini')" -ge 1 ] || fail "manifest does not start from the sample settings"
else
  fail "manifest is not valid JSON"
fi

if [ $failures -gt 0 ]; then echo "$failures package check(s) failed" >&2; exit 1; fi
echo "package $(basename "$zip") and its manifest checked"
