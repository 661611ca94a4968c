#!/usr/bin/env bash
# End-to-end tests: the Windows build of the idler drives aol-substitute.exe
# under Wine on Xvfb, each a real program in its own process, while
# e2e_driver.exe clicks the idler's buttons from a third process and checks
# what the client received.
#
#   tests/e2e/run_e2e.sh [WINDOWS_BUILD_DIR] [ARTIFACT_DIR]
#
# Leaves the client's logs and a screenshot of the idler in ARTIFACT_DIR.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
artifacts=${2:-$root/build/e2e}
mkdir -p "$artifacts"
artifacts=$(cd "$artifacts" && pwd)

idler="$build/app/brixidler.exe"
client="$build/substitute/aol-substitute.exe"
driver="$build/tests/e2e/e2e_driver.exe"
for exe in "$idler" "$client" "$driver"; do
  [ -f "$exe" ] || { echo "missing $exe: build the windows preset first" >&2; exit 2; }
done

# shellcheck source=tests/e2e/wine_env.sh
source "$here/wine_env.sh"
wine_env_start "$artifacts"

failures=0
pids=()
# Ends a program at once and reaps it, so the shell does not report it.
end_program() {
  kill -9 "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  for pid in "${pids[@]}"; do end_program "$pid"; done
  wine_env_stop
}
trap cleanup EXIT

winpath() { echo "Z:${1//\//\\}"; }

start_client() {  # LOG [options...]
  local log=$1
  shift
  rm -f "$log"
  wine "$client" --log "$(winpath "$log")" "$@" >"$log.out" 2>&1 &
  client_pid=$!
  pids+=("$client_pid")
  for _ in $(seq 100); do
    grep -q '^READY' "$log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "the substitute client did not come up" >&2
  cat "$log.out" >&2 || true
  return 1
}

start_idler() {
  wine "$idler" >"$artifacts/idler.out" 2>&1 &
  idler_pid=$!
  pids+=("$idler_pid")
}

phase() {  # PHASE LOG
  echo "== $1"
  if ! wine "$driver" "$1" "$(winpath "$2")"; then
    failures=$((failures + 1))
  fi
}

# Waits up to $2 seconds for process $1 to end; true when it has.
ended_within() {
  local deadline=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

screenshot() {
  xwd -root -display "$DISPLAY" -silent | convert xwd:- "$1" && echo "screenshot: $1"
}

# 1. The whole life of the idler against a willing client.
log="$artifacts/received.log"
start_client "$log" --room "Lobby" --member "Zed" --member "Quorv"
start_idler
phase opened "$log"
phase idle "$log"
screenshot "$artifacts/idler.png"
phase stop "$log"
phase exit "$log"
if ended_within "$idler_pid" 10; then echo "ok: the idler program ended"; else
  echo "FAILED: the idler program did not end"; failures=$((failures + 1)); fi
end_program "$client_pid"

# 2. The client dies while the idler waits for its IM window.
log="$artifacts/received-killed.log"
start_client "$log" --im-window-delay 60
start_idler
phase start-slow "$log"
end_program "$client_pid"
phase after-kill "$log"
end_program "$idler_pid"

# 3. The idler's window is closed while a handler waits.
log="$artifacts/received-closed.log"
start_client "$log" --im-window-delay 60
start_idler
phase close-while-waiting "$log"
if ended_within "$idler_pid" 3; then echo "ok: the idler program ended after the close"; else
  echo "FAILED: the idler program did not end after the close"; failures=$((failures + 1)); fi
end_program "$client_pid"

if [ "$failures" -eq 0 ]; then
  echo "end-to-end: all phases passed"
else
  echo "end-to-end: $failures phase(s) failed"
fi
exit "$failures"
