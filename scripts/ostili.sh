#!/bin/sh
# Applies every hostile combination of the generated corpus end to end (ctest checks
# only every 8th), then checks and plays back every hostile replay, in each given
# build folder that is configured: the normal build
# and the sanitizer build of ./test by default. Each case is a whole script, a bare
# start-up (its line ends in -avvio; at most 5 s, 20 s under the sanitizers, on a
# machine doing nothing else) and, for the sounds, the mixer (-mixer). Prints the
# failures, the counts, and the slowest runs, start-ups and most memory-hungry runs
# (at most 600 MiB outside the sanitizer build). Each build's full list is left in
# <build>/tests/ostili/ostili-tutti.txt; when a case fails, the list ends by naming
# the temporary folder that keeps its files.
#
#   scripts/ostili.sh [BUILD_DIR...]
#
# Exit status 0 when every case passed in every build.
set -eu

radice=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$radice/build" "$radice/build-asan"

# The sanitizers' settings of ./test, unless the caller has its own.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$radice/tests/lsan.supp}"

esito=0
provate=0
for build in "$@"; do
  if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "$build: not configured, skipped"
    continue
  fi
  cmake --build "$build" -j2 --target ostili ostili_repliche >/dev/null
  sanitizer=""
  grep -q '^SKARVEX_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && sanitizer=--sanitizer
  elenco=$build/tests/ostili/ostili-tutti.txt
  echo "== $build${sanitizer:+ (ASan + UBSan)}"
  inizio=$(date +%s)
  "$build/tests/ostili/ostili" "$build/src/ui/skarvex" $sanitizer --tempi >"$elenco" || esito=1
  provate=$((provate + 1))
  grep -E '^FAIL|^the failed' "$elenco" || true
  echo "$(tail -n 1 "$elenco") in $(($(date +%s) - inizio)) s"
  # Lines read: verdict, seconds, "s", MiB, "MiB", case.
  echo "slowest:"
  grep -E '^(ok|FAIL) ' "$elenco" | sort -k2,2gr | head -n 5
  echo "slowest start-ups:"
  grep -E '^(ok|FAIL) .*-avvio(:|$)' "$elenco" | sort -k2,2gr | head -n 5
  echo "most memory (peak resident):"
  grep -E '^(ok|FAIL) ' "$elenco" | sort -k4,4gr | head -n 5
  echo "hostile replays:"
  "$build/tests/ostili/ostili_repliche" "$build/src/ui/skarvex" $sanitizer || esito=1
done
[ "$provate" -gt 0 ] || { echo "no build folder to check" >&2; exit 2; }
exit "$esito"
