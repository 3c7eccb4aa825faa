#!/usr/bin/env bash
# skin_generated_test.sh SKINGEN SKIN_DIR
# A designer who runs `skingen skin` gets exactly the committed files: the
# generator draws the same bytes every time, and skin/ holds what it draws.
set -uo pipefail
skingen=$1 skin=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$skingen" "$out" >/dev/null 2>&1 || { echo "FAIL: $skingen $out"; exit 1; }
if ! diff -rq "$out" "$skin" >&2; then
  echo "FAIL: skin/ is not what tools/skingen draws; redraw it with: build/tools/skingen/skingen skin"
  exit 1
fi
