#!/usr/bin/env bash
# The Windows runner script under Wine. Over the test programs built here it runs
# each, adds up their cases and exits 0; when cases fail or a program is missing,
# its closing line says so and it exits non-zero. A few quick cases stand for the
# suite (ctest runs every case by itself). Run inside a Wine session, as ctest does.
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
expect() {  # what, expected exit (0 or nonzero), expected closing line, expected lines...
  local what="$1" exit="$2" closing="$3"
  shift 3
  if [ "$exit" = 0 ]; then [ "$code" = 0 ] || fail "$what: exit code $code"; fi
  if [ "$exit" != 0 ]; then [ "$code" != 0 ] || fail "$what: exit code 0"; fi
  [ "$(tail -n1 <<<"$out")" = "$closing" ] || fail "$what: closing line [$(tail -n1 <<<"$out")], expected [$closing]"
  for line in "$@"; do grep -qxF "$line" <<<"$out" || fail "$what: no line [$line]"; done
}

run "$build"
expect "the programs built here" 0 "3 passed, 0 failed, 0 skipped" \
  "e2e_tests: 1 passed, 0 failed, 0 skipped, exit code 0" \
  "win_layer_tests: 1 passed, 0 failed, 0 skipped, exit code 0" \
  "release_tests: 1 passed, 0 failed, 0 skipped, exit code 0"
all="$out"

# The same programs without the release package beside them, where its case
# fails, and with one program missing.
mkdir "$work/programs"
ln -s "$build"/*.exe "$work/programs/"
rm "$work/programs/win_layer_tests.exe"
run "$work/programs"
expect "a failing case, one program missing" 1 "1 passed, 2 failed, 0 skipped" \
  "e2e_tests: 1 passed, 0 failed, 0 skipped, exit code 0" \
  "release_tests: 0 passed, 1 failed, 0 skipped, exit code 1"
grep -q '^win_layer_tests.exe is not in ' <<<"$out" || fail "the missing program is not named"

[ $failures -eq 0 ] || { printf '%s\n' "--- passing run:" "$all" "--- failing run:" "$out"; exit 1; }
echo "runner: passes over the programs built here, fails on failing cases and a missing program"
