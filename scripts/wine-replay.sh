#!/usr/bin/env bash
# Replays on Linux the session that a Wine test recorded, and compares the
# actions with those the test got under Wine:
#   scripts/wine-replay.sh VORLAN-HOST BINDINGS.lua DIR
# DIR is the test's folder as scripts/wine-test.sh --keep left it, with
# session.jsonl (what Wine's devices delivered) and actions.txt (what the
# library made of it there, in vorlan-host's text format).
set -euo pipefail

fail() { echo "wine-replay: FAILED: $*" >&2; exit 1; }

[ $# -eq 3 ] || fail "usage: $0 VORLAN-HOST BINDINGS.lua DIR"
host=$(realpath "$1")
bindings=$(realpath "$2")
dir=$3
[ -s "$dir/session.jsonl" ] || fail "no session recorded under Wine in $dir"
[ -s "$dir/actions.txt" ] || fail "no actions from the Wine run in $dir"

rm -rf "$dir/replay"
mkdir -p "$dir/replay/temp" "$dir/replay/Temp"
(cd "$dir/replay" && "$host" --session ../session.jsonl "$bindings" >actions.txt) ||
  fail "vorlan-host could not replay $dir/session.jsonl"
diff -u "$dir/actions.txt" "$dir/replay/actions.txt" ||
  fail "the replay on Linux gave other actions than the run under Wine (- Wine, + replay)"
echo "wine: 1 passed, 0 failed ($(wc -l <"$dir/actions.txt") actions of the Wine session replayed on Linux alike)"
