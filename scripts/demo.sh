#!/usr/bin/env bash
# make demo: builds the library and vorlan-host (the release preset), runs the
# host on the examples and prints their actions, then one line saying whether
# they are examples/expected-output.txt (exit status 1 when not).
#   scripts/demo.sh [JOBS]
# The build's output goes to build/demo/build.log and is shown only on failure.
# The host runs in build/demo, so that the files the library writes beside it
# stay out of the sources.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=${1:-2}
demo=build/demo
mkdir -p "$demo"

echo "demo: building the library and vorlan-host in build/release (log: $demo/build.log)"
if ! { cmake --preset release && cmake --build --preset release -j "$jobs" --target vorlan-host; } >"$demo/build.log" 2>&1; then
  tail -n 30 "$demo/build.log" >&2
  echo "demo: FAILED: the build failed (the whole log is $demo/build.log)" >&2
  exit 1
fi

if ! (cd "$demo" && ../release/tools/vorlan-host --session ../../examples/session.jsonl ../../examples/bindings.lua) |
  tee "$demo/actions.txt"; then
  echo "demo: FAILED: vorlan-host failed"
  exit 1
fi

if cmp -s "$demo/actions.txt" examples/expected-output.txt; then
  echo "demo: OK: the $(wc -l <"$demo/actions.txt") actions equal examples/expected-output.txt"
else
  diff examples/expected-output.txt "$demo/actions.txt" >"$demo/actions.diff" || true
  echo "demo: FAILED: the actions differ from examples/expected-output.txt (diff in $demo/actions.diff)"
  exit 1
fi
