#!/usr/bin/env bash
# Prints the section of CHANGELOG.md for a version, without its heading: the notes
# of that version's release. Fails when the changelog has no such section or it is
# empty, so a release never goes out without saying what it holds.
#   release-notes.sh [version]   (default: the version version.h gives)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
version="${1:-$(bash "$root/scripts/version.sh")}"
# From "## [<version>]" (a date may follow) to the next heading of that level or the
# link definitions at the end.
notes=$(awk -v heading="## [$version]" '
  /^## / { inside = index($0, heading) == 1; next }
  /^\[[^]]*\]: / { inside = 0 }
  inside' "$root/CHANGELOG.md" | sed '/./,$!d')
if [ -z "$notes" ]; then
  echo "CHANGELOG.md has no section for $version, or it is empty" >&2
  exit 1
fi
printf '%s\n' "$notes"
