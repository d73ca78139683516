#!/usr/bin/env bash
# Fails unless the release tag names the version src/resources/version.h gives
# (v<version>, as scripts/version.sh prints it), so a release is never published
# under a tag that disagrees with the version its exe reports; and unless
# CHANGELOG.md has that version's section, which becomes the release's notes.
#   check-tag.sh <tag>   (v1.2.3 or refs/tags/v1.2.3)
set -euo pipefail
tag="${1:-}"
tag="${tag#refs/tags/}"
version=$(bash "$(dirname "$0")/version.sh")
if [ "$tag" != "v$version" ]; then
  echo "tag \"$tag\" does not match version.h: expected v$version" >&2
  exit 1
fi
bash "$(dirname "$0")/release-notes.sh" "$version" >/dev/null
echo "tag $tag matches version.h, and CHANGELOG.md has its section"
