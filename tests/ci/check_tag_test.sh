#!/usr/bin/env bash
# The release's tag check: the tag of the version in version.h passes, in either
# form a workflow may hand it over, when CHANGELOG.md has a section for it, which
# is then the release's notes; anything else fails.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
version=$(bash "$root/scripts/version.sh") || exit 1
# The scripts in a tree of their own, so that a row can bring its own changelog.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/scripts" "$tree/src/resources"
cp "$root"/scripts/{check-tag,version,release-notes}.sh "$tree/scripts/"
cp "$root/src/resources/version.h" "$tree/src/resources/"
failures=0
# expected | tag | changelog ("-": the project's own; else the notes are "### Added\n- this")
while IFS='|' read -r expected tag changelog; do
  if [ "$changelog" = - ]; then cp "$root/CHANGELOG.md" "$tree/"; else printf '%b\n' "$changelog" >"$tree/CHANGELOG.md"; fi
  if bash "$tree/scripts/check-tag.sh" "$tag" >/dev/null 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$expected" ]; then echo "FAIL: tag [$tag], changelog [$changelog]: $got, expected $expected"; failures=$((failures + 1)); fi
  if [ "$got" = pass ] && [ "$changelog" != - ] && [ "$(bash "$tree/scripts/release-notes.sh")" != $'### Added\n- this' ]; then
    echo "FAIL: the notes from [$changelog] are [$(bash "$tree/scripts/release-notes.sh")]"; failures=$((failures + 1))
  fi
done <<TABLE
pass|v$version|-
pass|refs/tags/v$version|-
fail|$version|-
fail|v$version.1|-
fail|v$version-rc1|-
fail|v0.0.0|-
fail||-
pass|v$version|# Changelog\n\n## [Unreleased]\n- next\n\n## [$version] - 2026-12-07\n\n### Added\n- this\n\n## [1.0.0]\n- old
pass|v$version|## [$version]\n### Added\n- this\n\n[$version]: https://example.org/v$version
fail|v$version|## [Unreleased]\n- this
fail|v$version|## [$version.1]\n- this
fail|v$version|## [$version]\n\n## [1.0.0]\n- old
TABLE
[ $failures -eq 0 ] && echo "tag check: all cases as expected"
exit $((failures > 0))
