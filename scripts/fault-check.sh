#!/usr/bin/env bash
# Measures what the suite catches. Each fault of scripts/faults.txt (one small source
# change) is applied to a scratch copy of the tree in build/fault-check/tree, which is
# rebuilt incrementally; then the native unit tests and the Windows tests under Wine
# run, without retries, up to the first failure. One row per fault names the test
# that caught it, or NOT CAUGHT.
#   scripts/fault-check.sh [--no-baseline] [fault-id...]
# The unfaulted suite runs first (skip with --no-baseline); the run stops if it fails.
# The table is also written to build/fault-check/table.md. FAULT_CHECK_JOBS sets the
# build jobs (default 1).
set -uo pipefail
unset WINEPREFIX XVFB_PID  # only the session started here is ever stopped
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fault-check"
tree="$out/tree"
list="$root/scripts/faults.txt"
jobs="${FAULT_CHECK_JOBS:-1}"
baseline=1
ids=()
for arg in "$@"; do
  case "$arg" in
    --no-baseline) baseline=0 ;;
    -h | --help) sed -n '2,10s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) ids+=("$arg") ;;
  esac
done

# fault ids | fault get ID KEY | fault apply ID: reads the list; apply changes the tree.
fault() {
  python3 - "$list" "$tree" "$@" <<'PY'
import sys
path, tree, command, *args = sys.argv[1:]
faults, current = {}, None
for line in open(path, encoding="utf-8").read().splitlines():
    if not line.strip() or line.startswith("#"):
        continue
    key, value = line[:6].rstrip(": "), line[6:]  # values start in column 7
    if key in ("from", "to"):
        value = value.replace("\\n", "\n")
    if key == "id":
        current = faults.setdefault(value, {"id": value})
    else:
        current[key] = value
if command == "ids":
    print("\n".join(faults))
    sys.exit(0)
if args[0] not in faults:
    print(f"no fault named {args[0]}")
    sys.exit(2)
f = faults[args[0]]
if command == "get":
    print(f.get(args[1], ""))
    sys.exit(0)
target = f"{tree}/{f['file']}"
text = open(target, encoding="utf-8", newline="").read()
count = text.count(f["from"]) if f["from"] else 0
if count != 1:
    print(f"does not apply (original found {count} times)")
    sys.exit(3)
open(target, "w", encoding="utf-8", newline="").write(text.replace(f["from"], f["to"]))
PY
}

# The scratch tree follows the working tree; only changed files are copied, so an
# unchanged tree rebuilds nothing.
sync_tree() {
  mkdir -p "$tree"
  (cd "$root" && git ls-files -co --exclude-standard) | while IFS= read -r f; do
    [ -f "$root/$f" ] || continue
    cmp -s "$root/$f" "$tree/$f" || { mkdir -p "$(dirname "$tree/$f")" && cp "$root/$f" "$tree/$f"; }
  done
}

# Builds one side; changed_<side>=1 when something was rebuilt. Each side is built
# only when the sides before it have not caught the fault: a rule caught by the
# unit tests costs no Windows link.
build() {
  cmake --build "build/$1" -j "$jobs" >"$out/last-build.log" 2>&1 || { built=0; return 1; }
  cat "$out/last-build.log" >>"$log"
  grep -q 'no work to do' "$out/last-build.log" && [ "$everything" = 0 ] && eval "changed_$1=0" ||
    eval "changed_$1=1"
}

failed_test() {
  local name
  name=$(sed -n '1s/^[0-9]*://p' "$1/Testing/Temporary/LastTestsFailed.log" 2>/dev/null)
  echo "${name:-ctest in $1 (see the log)}"
}

# Sets caught to the first failing test, empty when all pass; built=0 when a side
# does not build. A side whose build did nothing would run what already passed
# unfaulted, so it is not run again.
suite() {
  caught= built=1
  build native || return
  if [ "$changed_native" = 1 ] &&
    ! ctest --test-dir build/native -j "$jobs" --stop-on-failure >>"$log" 2>&1; then
    caught=$(failed_test build/native); return
  fi
  local filter
  build windows || return
  # A fresh Wine session for each run: nothing a faulted run left open stays.
  wine_session_start "$out/wine" >>"$log" 2>&1
  # The in-process tests and the locale cases first: they fail fastest.
  for filter in "-L win|locale" "-LE win|locale"; do
    # shellcheck disable=SC2086
    if ! ctest --test-dir build/windows $filter --stop-on-failure --output-on-failure >>"$log" 2>&1; then
      caught=$(failed_test build/windows); break
    fi
  done
  # The cases the display scale changes, at 150 %: a scaled layout shows its faults there.
  if [ -z "$caught" ]; then
    wine_session_dpi 144 >>"$log" 2>&1
    if ! ctest --test-dir build/windows -L dpi --stop-on-failure --output-on-failure >>"$log" 2>&1; then
      caught="$(failed_test build/windows) at 144 DPI"
    fi
    wine_session_dpi 96 >>"$log" 2>&1
  fi
  wine_session_stop
  # The locale cases again, with Wine in Japanese as scripts/test.sh runs them.
  [ -n "$caught" ] || wine_session_in_locale "$out/wine" ja_JP.UTF-8 932 \
    ctest --test-dir build/windows -L locale --stop-on-failure --output-on-failure >>"$log" 2>&1 ||
    caught="$(failed_test build/windows) (in Japanese)"
}

restore() { [ -n "${faulted:-}" ] && cp "$root/$faulted" "$tree/$faulted"; faulted=; }
trap 'restore; wine_session_stop' EXIT

mkdir -p "$out/logs"
sync_tree
cd "$tree" || exit 1
source scripts/wine-session.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
  cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64.cmake" >/dev/null || exit 1
[ ${#ids[@]} -gt 0 ] || mapfile -t ids < <(fault ids)
started=$SECONDS
everything=0  # the baseline runs every side, built or not

if [ "$baseline" = 1 ]; then
  log="$out/logs/baseline.log"; : >"$log"
  everything=1 suite
  [ "$built" = 1 ] || { echo "the unfaulted tree does not build (log: $log)"; exit 1; }
  if [ -n "$caught" ]; then echo "the unfaulted suite fails: $caught (log: $log)"; exit 1; fi
  echo "baseline passes ($((SECONDS - started)) s)"
fi

table="$out/table.md"
{ echo "| fault | what | file | caught by |"; echo "|---|---|---|---|"; } >"$table"
for id in "${ids[@]}"; do
  begun=$SECONDS
  log="$out/logs/$id.log"; : >"$log"
  file=$(fault get "$id" file)
  if ! result=$(fault apply "$id"); then
    :
  else
    faulted=$file
    suite
    result=${caught:-NOT CAUGHT}
    if [ "$built" = 0 ]; then result="does not build"; cat "$out/last-build.log" >>"$log"; fi
    restore
  fi
  printf '%-28s %-40s %s (%d s)\n' "$id" "$file" "$result" $((SECONDS - begun))
  echo "| $id | $(fault get "$id" what) | $file | $result |" >>"$table"
done
# Leaves the scratch builds unfaulted for the next run.
log="$out/logs/restore.log"; for side in native windows; do build "$side"; done
echo
cat "$table"
echo
echo "$(grep -c 'NOT CAUGHT' "$table") of ${#ids[@]} not caught; $((SECONDS - started)) s; table in $table"
