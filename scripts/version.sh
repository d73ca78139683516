#!/usr/bin/env bash
# Prints the release version, read from src/resources/version.h (the numbers the
# version resource is built from): major.minor.patch, plus .build when it is not 0.
# Fails when the resource's version text disagrees with its numbers, since the
# exe would then show two versions.
set -euo pipefail
header="$(cd "$(dirname "$0")/.." && pwd)/src/resources/version.h"

number() {
  local value
  value=$(sed -n "s/^#define PIVORA_VERSION_$1 \\([0-9][0-9]*\\)[[:space:]]*\$/\\1/p" "$header")
  if [ -z "$value" ]; then echo "version.h: no PIVORA_VERSION_$1" >&2; exit 1; fi
  echo "$value"
}
major=$(number MAJOR); minor=$(number MINOR); patch=$(number PATCH); build=$(number BUILD)
text=$(sed -n 's/^#define PIVORA_VERSION_TEXT "\(.*\)"[[:space:]]*$/\1/p' "$header")
if [ "$text" != "$major.$minor.$patch.$build" ]; then
  echo "version.h: PIVORA_VERSION_TEXT \"$text\" is not $major.$minor.$patch.$build" >&2
  exit 1
fi
version="$major.$minor.$patch"
if [ "$build" != 0 ]; then version="$version.$build"; fi
echo "$version"
