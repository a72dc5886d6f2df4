#!/bin/sh
# The fuzzing campaign: each file reader (combination, settings, Record, the length
# of a MIDI tune, the remembered window place, a replay and the game state a replay
# starts from, the remembered decoded pictures) and the gate of a combination's
# pictures and sounds (vaglio) runs for millions of executions
# under ASan + UBSan, on a working copy of its seed corpus.
# Every crash, timeout, out-of-memory or leak input found is copied into
# tests/fuzz/corpus/<reader>/ under libFuzzer's name for it (crash-<sha1>,
# timeout-<sha1>, oom-<sha1>, leak-<sha1>), so the short fuzz runs of ./test replay
# it before anything else.
#
#   scripts/fuzz-campagna.sh [-r RUNS] [-t SECONDS] [-p PARALLEL] [-o READERS] [-m] [BUILD_DIR]
#
#   -r RUNS      executions per reader (default 10000000)
#   -t SECONDS   time budget per reader; the run stops at whichever comes first
#                (default 0: no time limit)
#   -p PARALLEL  readers fuzzed at the same time, one process each (default 1)
#   -o READERS   which readers, e.g. "record scelta" (default: all six)
#   -m           afterwards, merge into the seed corpus the fewest inputs that keep
#                the coverage the campaign reached, so that ./test starts from it
#   BUILD_DIR    the clang sanitizer build folder of the campaign (default build-fuzz)
#
# Exit status 0 when no reader had a finding.
set -eu

radice=$(cd "$(dirname "$0")/.." && pwd)
esecuzioni=10000000
secondi=0
parallele=1
lettori="combinazione scelta record vaglio midi finestra replica partita immaginiricordate"
unisci=no
while getopts r:t:p:o:m opzione; do
  case $opzione in
    r) esecuzioni=$OPTARG ;;
    t) secondi=$OPTARG ;;
    p) parallele=$OPTARG ;;
    o) lettori=$OPTARG ;;
    m) unisci=yes ;;
    *) sed -n '10,19p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=${1:-$radice/build-fuzz}
case $build in /*) ;; *) build=$PWD/$build ;; esac

# Optimised with debug information: faster than the Debug sanitizer build of ./test,
# with the same checks.
cmake -S "$radice" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSKARVEX_SANITIZE=ON \
  -DSKARVEX_BENCH=OFF >/dev/null
bersagli=""
for l in $lettori; do bersagli="$bersagli fuzz_$l"; done
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $bersagli >/dev/null

# One reader: a fresh copy of the seed corpus, then libFuzzer until the runs or
# the time are spent or something is found. Its log is campagna/<reader>/log.
fuzza() {
  lavoro=$build/campagna/$1
  rm -rf "$lavoro"
  mkdir -p "$lavoro/corpus" "$lavoro/artefatti"
  cp -R "$radice/tests/fuzz/corpus/$1/." "$lavoro/corpus/"
  inizio=$(date +%s)
  stato=0
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
    nice -n 10 "$build/tests/fuzz/fuzz_$1" "$lavoro/corpus" -runs="$esecuzioni" \
    -max_total_time="$secondi" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$lavoro/artefatti/" >"$lavoro/log" 2>&1 || stato=$?
  echo $(($(date +%s) - inizio)) >"$lavoro/secondi"
  echo "$stato" >"$lavoro/stato"
}

in_corso=0
for l in $lettori; do
  fuzza "$l" &
  in_corso=$((in_corso + 1))
  if [ "$in_corso" -ge "$parallele" ]; then
    wait
    in_corso=0
  fi
done
wait

trovati=0
printf '%-14s %12s %10s %8s  %s\n' reader executions exec/s seconds findings
for l in $lettori; do
  lavoro=$build/campagna/$l
  fatte=$(sed -n 's/^stat::number_of_executed_units: *//p' "$lavoro/log" | tail -n 1)
  ritmo=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$lavoro/log" | tail -n 1)
  reperti=""
  for a in "$lavoro"/artefatti/*; do
    [ -e "$a" ] || continue
    cp "$a" "$radice/tests/fuzz/corpus/$l/"
    reperti="$reperti $(basename "$a")"
  done
  # A non-zero exit with no artefact (a sanitizer report on a libFuzzer thread,
  # a killed process) is a finding too: the log says what happened.
  if [ -z "$reperti" ] && [ "$(cat "$lavoro/stato")" -ne 0 ]; then
    reperti=" exit status $(cat "$lavoro/stato"), see $lavoro/log"
  fi
  [ -n "$reperti" ] && trovati=$((trovati + 1))
  printf '%-14s %12s %10s %8s  %s\n' "$l" "${fatte:-?}" "${ritmo:-?}" \
    "$(cat "$lavoro/secondi")" "${reperti:- none}"
done
if [ "$unisci" = yes ]; then
  for l in $lettori; do
    "$build/tests/fuzz/fuzz_$l" -merge=1 "$radice/tests/fuzz/corpus/$l" \
      "$build/campagna/$l/corpus" >"$build/campagna/$l/unione" 2>&1
    echo "$l: $(grep -o '[0-9]* new files' "$build/campagna/$l/unione") merged into the seed corpus"
  done
fi
if [ "$trovati" -gt 0 ]; then
  echo "findings were copied into tests/fuzz/corpus/<reader>/; fix the reader and keep them" >&2
  exit 1
fi
