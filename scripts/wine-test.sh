#!/usr/bin/env bash
# Runs Windows test programs under Wine on an Xvfb display of their own, in a
# fresh Wine prefix, and answers their requests for input:
#   scripts/wine-test.sh [--keep DIR] LOADER PROGRAM.exe...
# LOADER is Wine's loader for the programs' architecture (/usr/lib/wine/wine64
# or /usr/lib/wine/wine). Each program runs in its own folder with the DLLs that
# lie beside it and the folders temp/ and Temp/ that the library writes to. A
# line "ask: focus" focuses the test window, "ask: ARGS" runs "xdotool ARGS",
# and each is answered with a line on the program's standard input once done;
# every other line is shown. A program passes when it exits with 0 after its
# closing line "wine: N passed, 0 failed". Anything that keeps Wine or the
# display from starting fails the run, saying so.
# --keep DIR keeps what each program wrote in DIR/NAME (the DLLs and the
# program left out).
set -euo pipefail

fail() { echo "wine-test: FAILED: $*" >&2; exit 1; }

keep=""
if [ "${1:-}" = --keep ]; then
  keep=$(realpath -m "${2:?--keep needs a folder}")
  shift 2
fi
[ $# -ge 2 ] || fail "usage: $0 [--keep DIR] LOADER PROGRAM.exe..."
loader=$1
shift
wineserver=$(dirname "$loader")/wineserver
title="Vorlan Wine test"
[ -x "$loader" ] || fail "no Wine loader at $loader (scripts/install-deps.sh installs Wine)"
[ -x "$wineserver" ] || fail "no wineserver beside $loader"
command -v Xvfb >/dev/null || fail "Xvfb is not installed"
command -v xdotool >/dev/null || fail "xdotool is not installed"
for program in "$@"; do
  [ -f "$program" ] || fail "no test program $program"
done

started=$SECONDS
work=$(mktemp -d /tmp/vorlan-wine.XXXXXX)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -d "$work/prefix" ] && WINEPREFIX="$work/prefix" "$wineserver" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The display: Xvfb picks a free number and writes it once it accepts clients.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb gave no display within 10 s"
export DISPLAY=":$(cat "$work/display")"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 120 "$loader" wineboot -i >"$work/wineboot.log" 2>&1 ||
  fail "Wine could not create its prefix: $(tail -5 "$work/wineboot.log")"
# Without a window manager nothing sends WM_TAKE_FOCUS: let X focus activate windows.
"$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f >>"$work/wineboot.log" 2>&1 ||
  fail "Wine could not set UseTakeFocus: $(tail -5 "$work/wineboot.log")"
echo "wine-test: display $DISPLAY, prefix ready in $((SECONDS - started)) s"

# Focuses the test window, finding it by its title; a few tries while Wine maps it.
focus() {
  local window=""
  for _ in $(seq 50); do
    window=$(xdotool search --name "^$title\$" 2>/dev/null | tail -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "wine-test: no window named \"$title\" on $DISPLAY" >&2; return 0; }
  xdotool windowfocus "$window" || echo "wine-test: xdotool windowfocus $window failed" >&2
}

# Runs one program, answering its requests; its exit code is the result.
run() {
  local program=$1 name dir line
  name=$(basename "$program" .exe)
  dir="$work/$name"
  mkdir -p "$dir/temp" "$dir/Temp"
  cp "$program" "$(dirname "$program")"/*.dll "$dir/" 2>/dev/null || cp "$program" "$dir/"
  echo "wine-test: $name"
  mkfifo "$dir/output" "$dir/input"
  exec 5<>"$dir/input"
  (cd "$dir" && exec "$loader" "$name.exe" <"$dir/input" >"$dir/output" 2>&1) &
  program_pid=$!
  exec 4<"$dir/output"
  # Every step of a program is bounded by its own waits; a minute of silence means it hangs.
  local got summary=no
  while true; do
    got=0
    IFS= read -r -t 60 line <&4 || got=$?
    if [ "$got" -gt 128 ]; then
      echo "wine-test: $name said nothing for 60 s; stopping it" >&2
      kill "$program_pid" 2>/dev/null || true
      break
    fi
    [ "$got" -eq 0 ] || break
    line=${line%$'\r'}
    [[ $line =~ ^wine:\ [0-9]+\ passed,\ 0\ failed$ ]] && summary=yes
    case $line in
      "ask: focus") focus; echo done >&5 ;;
      "ask: "*)
        read -ra args <<<"${line#ask: }"
        xdotool "${args[@]}" || echo "wine-test: xdotool ${args[*]} failed" >&2
        echo done >&5 ;;
      *) echo "  $line" ;;
    esac
  done
  exec 4<&- 5>&-
  local status=0
  wait "$program_pid" || status=$?
  program_pid=""
  if [ "$status" -eq 0 ] && [ "$summary" = no ]; then
    echo "wine-test: $name ended without a summary of passed checks" >&2
    status=1
  fi
  if [ -n "$keep" ]; then
    rm -rf "${keep:?}/$name"
    mkdir -p "$keep/$name"
    cp -r "$dir/." "$keep/$name/" || fail "could not keep $name's files in $keep"
    find "$keep/$name" \( -name '*.dll' -o -name '*.exe' -o -type p \) -delete
  fi
  if [ "$status" -ne 0 ]; then
    echo "wine-test: $name exited with $status; the library's log:" >&2
    cat "$dir"/temp/*.txt "$dir"/Temp/*.txt 2>/dev/null | sed 's/^/    /' >&2 || true
  fi
  return "$status"
}

failed=0
for program in "$@"; do
  run "$program" || failed=1
done
echo "wine-test: $# program(s) in $((SECONDS - started)) s"
[ "$failed" -eq 0 ] || fail "a Wine test failed"
