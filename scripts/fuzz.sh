#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for SECONDS seconds, from the
# corpus that earlier runs kept (BUILD/fuzz-work/corpus/TARGET) and, for the
# session reader, the project's sessions as seeds and the format's dictionary.
# Prints one line per target; at a finding, the end of the fuzzer's output and
# the input that caused it (BUILD/fuzz-work/findings/), and fails.
#   usage: fuzz.sh BUILD SECONDS [TARGET...]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: fuzz.sh BUILD SECONDS [TARGET...]" >&2; exit 2; }
build=$(cd "$1" && pwd) seconds=$2
shift 2
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(SessionReaderFuzz LuaModuleFuzz BindingEngineFuzz)
root=$(cd "$(dirname "$0")/.." && pwd)
work=$build/fuzz-work
mkdir -p "$work/seeds" "$work/findings"
find "$root/examples" "$root/tests" -name '*.jsonl' -exec cp {} "$work/seeds/" \;

status=0
for target in "${targets[@]}"; do
  corpus=$work/corpus/$target
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work/findings/$target-")
  inputs=("$corpus")
  if [ "$target" = SessionReaderFuzz ]; then
    options+=(-dict="$root/tests/fuzz/session.dict")
    inputs+=("$work/seeds")
  fi
  log=$work/$target.log
  # The library writes its device list under the working folder.
  if (cd "$work" && "$build/tests/fuzz/$target" "${options[@]}" "${inputs[@]}") >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} runs in ${seconds} s, corpus $(ls "$corpus" | wc -l) inputs, no findings"
  else
    echo "$target: FINDING (log $log)"
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
