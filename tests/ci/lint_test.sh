#!/usr/bin/env bash
# The workflows lint clean, and the lint catches each kind of fault it is there for,
# each planted in a copy of a workflow (all copies linted in one run).
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

ls "$root"/.github/workflows/{ci,release}.yml >/dev/null || exit 1
out=$(bash "$root/scripts/lint-workflows.sh" 2>&1) || fail "the workflows do not lint clean: $out"
grep -q '2 workflow(s), 0 finding(s)' <<<"$out" || fail "not both workflows linted: $out"

# name | workflow | sed edit | what the lint must say about the copy
cases=(
  "unknown-job|ci|s/needs: linux/needs: linux-job/|[job-needs]"
  "bad-expression|release|s/github.token/github.tokn/|property \"tokn\" is not defined"
  "unpinned|release|s/checkout@v4/checkout@main/|not pinned"
  "no-timeout|ci|0,/timeout-minutes/{/timeout-minutes/d}|without timeout-minutes"
  "write-for-all|ci|s/^  contents: read/  contents: write/|permissions beyond read"
)
copies=()
for row in "${cases[@]}"; do
  IFS='|' read -r name workflow edit _ <<<"$row"
  sed "$edit" "$root/.github/workflows/$workflow.yml" >"$work/$name.yml"
  cmp -s "$work/$name.yml" "$root/.github/workflows/$workflow.yml" && fail "$name: the edit changed nothing"
  copies+=("$work/$name.yml")
done
out=$(bash "$root/scripts/lint-workflows.sh" "${copies[@]}" 2>&1) && fail "broken copies linted clean"
for row in "${cases[@]}"; do
  IFS='|' read -r name _ _ says <<<"$row"
  grep "^$work/$name.yml" <<<"$out" | grep -qF "$says" || fail "$name: no finding saying [$says]"
done
[ $failures -eq 0 ] || { echo "$out"; exit 1; }
echo "workflows lint clean; ${#cases[@]} planted faults found"
