#!/usr/bin/env bash
# The release's tag check: the tag of the version in version.h passes, in either
# form a workflow may hand it over; anything else fails.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
version=$(bash "$root/scripts/version.sh") || exit 1
failures=0
while read -r expected tag; do
  [ "$tag" = '""' ] && tag=
  if bash "$root/scripts/check-tag.sh" "$tag" >/dev/null 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$expected" ]; then echo "FAIL: tag [$tag]: $got, expected $expected"; failures=$((failures + 1)); fi
done <<TABLE
pass v$version
pass refs/tags/v$version
fail $version
fail v$version.1
fail v$version-rc1
fail v0.0.0
fail ""
TABLE
[ $failures -eq 0 ] && echo "tag check: all cases as expected"
exit $((failures > 0))
