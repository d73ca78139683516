#!/usr/bin/env bash
# The Windows runner script under Wine. Over the test programs built here it runs
# each, adds up their cases and exits 0; when cases fail, a program is missing or a
# case skips that may not, its closing line says so and it exits non-zero. A few
# quick cases stand for the suite (ctest runs every case by itself). Run inside a
# Wine session, as ctest does.
#   windows_runner_test.sh <build/windows>
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
source "$root/scripts/wine-session.sh"
runner="$root/scripts/run-windows-tests.cmd"
# GoogleTest reads the filter from the environment. The flag is set as the Windows
# job sets it: here the foreground is to be had, so a skip shows as a wrong count.
cases=(Startup.TargetsNameTheWindowAndPickTheirSlots CommandLine.SplitsAsCommandLineToArgvW
  Package.SampleCmdSlotRunsBesideTheLauncher)
GTEST_FILTER=$(IFS=:; echo "${cases[*]}")
export GTEST_FILTER PIVORA_NO_DESKTOP=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Windows' cmd.exe can miss labels in a script with bare LF line ends; Wine's does not.
if LC_ALL=C grep -q $'[^\r]$' "$runner"; then fail "the runner has a line without CR LF"; fi

# Runs the runner over a folder of programs; its output (without CRs) and exit code.
run() {
  out=$(wine cmd /c "$(wine_path "$runner")" "$(wine_path "$1")" </dev/null 2>&1 | tr -d '\r')
  code=${PIPESTATUS[0]}
}
expect() {  # what, 0 to pass or 1 to fail, expected closing line, expected lines...
  local what="$1" closing="$3" before=$failures
  [ $((code != 0)) = "$2" ] || fail "$what: exit code $code"
  shift 3
  [ "$(tail -n1 <<<"$out")" = "$closing" ] || fail "$what: closing line [$(tail -n1 <<<"$out")], expected [$closing]"
  for line in "$@"; do grep -qxF "$line" <<<"$out" || fail "$what: no line [$line]"; done
  [ $failures -eq $before ] || printf '%s\n' "--- $what:" "$out"
}

run "$build"
expect "the programs built here" 0 "3 passed, 0 failed, 0 skipped (0 not allowed)" \
  "e2e_tests: 1 passed, 0 failed, 0 skipped, exit code 0" \
  "win_layer_tests: 1 passed, 0 failed, 0 skipped, exit code 0" \
  "release_tests: 1 passed, 0 failed, 0 skipped, exit code 0"

# The same programs without the release package beside them, where its case
# fails, and with one program missing.
mkdir "$work/programs"
ln -s "$build"/*.exe "$work/programs/"
rm "$work/programs/win_layer_tests.exe"
run "$work/programs"
expect "a failing case, one program missing" 1 "1 passed, 2 failed, 0 skipped (0 not allowed)" \
  "e2e_tests: 1 passed, 0 failed, 0 skipped, exit code 0" \
  "release_tests: 0 passed, 1 failed, 0 skipped, exit code 1" \
  "win_layer_tests.exe is not in $(wine_path "$work/programs")"

# Under every program's name, a stand-in whose registration case skips as outside
# Wine: allowed. Its twin skips too, as a case without the foreground: not allowed.
# The counts go to the job summary as well.
mkdir "$work/skipping"
for name in e2e_tests win_layer_tests release_tests; do
  ln -s "$build/skipping_cases.exe" "$work/skipping/$name.exe"
done
export GTEST_FILTER=Registration.OpenWithAndSendToThenUndo
run "$work/skipping"
expect "an allowed skip" 0 "0 passed, 0 failed, 3 skipped (0 not allowed)"
export GTEST_FILTER='Registration.*' GITHUB_STEP_SUMMARY
GITHUB_STEP_SUMMARY=$(wine_path "$work")\\summary.md
run "$work/skipping"
expect "a skip not allowed" 1 "0 passed, 0 failed, 6 skipped (3 not allowed)" \
  "release_tests: 0 passed, 0 failed, 2 skipped, exit code 0" \
  "Registration.OpenWithAndSendToThenUndoTwice skipped, and only Registration.OpenWithAndSendToThenUndo may skip"
summary=$(tr -d '\r' <"$work/summary.md")
grep -qxF "| all | 0 | 0 | 6 | 3 | |" <<<"$summary" || fail "job summary: no totals in [$summary]"

[ $failures -eq 0 ] || exit 1
echo "runner: passes over the programs built here and on allowed skips, fails on failing cases, a missing program and other skips"
