#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The core built natively and as WebAssembly (run by Node) on the same seeded inputs:
# every line must be the same.
#
#   differential.sh NATIVE_PROGRAM WASM_PROGRAM.js COUNT SEED
set -euo pipefail
native=$1 wasm=$2 count=$3 seed=$4
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$native" "$count" "$seed" >"$out/native"
node "$wasm" "$count" "$seed" >"$out/wasm"
lines=$(wc -l <"$out/native")
if [ "$lines" -ne "$count" ]; then
  echo "differential: the native program wrote $lines lines, not $count" >&2
  exit 1
fi
if ! cmp -s "$out/native" "$out/wasm"; then
  echo "differential: WebAssembly and native differ (native <, WebAssembly >):" >&2
  diff "$out/native" "$out/wasm" | head -20 >&2
  exit 1
fi
echo "differential: $count inputs, every line the same"
