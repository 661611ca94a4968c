#!/usr/bin/env bash
# Runs every check program of the Windows build (build/windows/tests/wine/*.exe)
# under Wine, on Xvfb when no display answers, in a Wine prefix of its own
# under the build directory. Each program prints one line per check and ends
# with "N passed, M failed"; this script prints them, a summary per program,
# and exits non-zero when any program failed, hung or could not run.
#
#   tests/wine/run_checks.sh [WINDOWS_BUILD_DIR]    (default build/windows)
#
# CHECK_TIMEOUT (seconds, default 300) bounds each program.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" 2>/dev/null && pwd) || {
  echo "no Windows build at ${1:-$root/build/windows}: build the windows preset first" >&2
  exit 2
}
checks_dir="$build/tests/wine"
run_dir="$checks_dir/run"
timeout_seconds=${CHECK_TIMEOUT:-300}

shopt -s nullglob
programs=("$checks_dir"/*.exe)
shopt -u nullglob
if [ ${#programs[@]} -eq 0 ]; then
  echo "no check programs in $checks_dir: build the windows preset first" >&2
  exit 2
fi

mkdir -p "$run_dir"
# The display, the prefix (run/wineprefix) and Managed=N: without a window
# manager Wine would otherwise wait 2 s for one on every hide of a window.
# shellcheck source=tests/e2e/wine_env.sh
source "$root/tests/e2e/wine_env.sh"
wine_env_start "$run_dir"
trap wine_env_stop EXIT

failed=()
for program in "${programs[@]}"; do
  name=$(basename "$program" .exe)
  log="$run_dir/$name.log"
  echo "== $name"
  status=0
  # Each program runs in a folder of its own, so files it leaves stay there.
  mkdir -p "$run_dir/$name"
  (cd "$run_dir/$name" && timeout "$timeout_seconds" wine "$program") >"$log.raw" 2>"$log.err" ||
    status=$?
  tr -d '\r' <"$log.raw" >"$log"  # the Windows C runtime ends lines with CR LF
  cat "$log"
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || true)
  if [ "$status" -eq 124 ]; then
    echo "$name: timed out after ${timeout_seconds} s"
    failed+=("$name")
  elif [ "$status" -ne 0 ] || [ -z "$summary" ]; then
    echo "$name: exit code $status${summary:+, $summary}"
    [ -s "$log.err" ] && sed 's/^/  stderr: /' "$log.err" | tail -n 20
    failed+=("$name")
  else
    echo "$name: $summary"
  fi
  # One program's leftover windows or threads must not touch the next one.
  wineserver -k >/dev/null 2>&1 || true
done

echo "== ${#programs[@]} check program(s), ${#failed[@]} failed${failed:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
