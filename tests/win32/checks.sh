# SPDX-License-Identifier: MIT
# The Windows tests' checks, sourced by their scripts: `check WHAT EXPECTED ACTUAL`
# counts a check and prints what differs; `checks_done` prints the closing count and
# fails when any check did.
failures=0 checks=0
check() {
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    failures=$((failures + 1))
    printf 'FAILED: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}
checks_done() {
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}
