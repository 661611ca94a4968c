#!/usr/bin/env bash
# Benchmark: the idler's processor time over two minutes of idling under
# Wine (Start, then two minute ticks against the substitute client), and its
# seconds counter against the wall clock. Reports figures; asserts nothing.
#
#   bench/wine_idle.sh [WINDOWS_BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
out="$root/build/bench"
mkdir -p "$out"

# shellcheck source=tests/e2e/wine_env.sh
source "$root/tests/e2e/wine_env.sh"
wine_env_start "$out"
pids=()
trap 'for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done; wine_env_stop' EXIT

log="$out/received.log"
rm -f "$log"
wine "$build/substitute/aol-substitute.exe" --log "Z:${log//\//\\}" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q '^READY' "$log" 2>/dev/null && break; sleep 0.1; done
wine "$build/app/brixidler.exe" >/dev/null 2>&1 &
idler=$!
pids+=("$idler")

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
echo "measuring process $idler: $(tr '\0' ' ' <"/proc/$idler/cmdline")"
hz=$(getconf CLK_TCK)
sleep 3
before=$(ticks "$idler")
wine "$build/tests/e2e/e2e_driver.exe" idle-two-minutes "Z:${log//\//\\}" | tee "$out/idle.txt"
after=$(ticks "$idler")
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN {
  cpu = t / hz
  printf "processor time of the idler over ~2 min of idling: %.2f s (%.3f s per minute)\n", cpu, cpu / 2.0
}' | tee -a "$out/idle.txt"
