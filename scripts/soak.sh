#!/usr/bin/env bash
# The long soak in full: ten virtual hours of play by the bot, first under
# AddressSanitizer + UndefinedBehaviorSanitizer (leak check at exit, any report
# fatal), then in the optimised build, each with the silent audio and with the
# sounds decoded and mixed on SDL's dummy device. Prints each run's hourly figures,
# its growth per hour and its wall time; exits non-zero when any run fails.
#
#   scripts/soak.sh [soak options, e.g. --hours 20]
#
# The build folders are those of ./test (build-asan and build), configured here
# when they are missing; SKARVEX_BUILD_ASAN and SKARVEX_BUILD name others.
set -euo pipefail
cd "$(dirname "$0")/.."

asan=${SKARVEX_BUILD_ASAN:-build-asan}
release=${SKARVEX_BUILD:-build}
jobs=${SKARVEX_JOBS:-$(nproc)}

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

prepara() {  # folder, cmake options...
  local cartella=$1
  shift
  if [[ ! -f $cartella/build.ninja ]]; then
    cmake -S . -B "$cartella" -G Ninja -DSKARVEX_WERROR=ON "$@" >/dev/null
  fi
  cmake --build "$cartella" -j "$jobs" --target soak
}

prepara "$asan" -DCMAKE_BUILD_TYPE=Debug -DSKARVEX_SANITIZE=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
prepara "$release" -DCMAKE_BUILD_TYPE=RelWithDebInfo

fallite=0
esegui() {  # title, executable, options...
  local titolo=$1
  shift
  echo
  echo "== $titolo"
  local inizio=$SECONDS
  if "$@"; then
    echo "-- passed in $((SECONDS - inizio)) s of wall time"
  else
    echo "-- FAILED (exit $?) after $((SECONDS - inizio)) s of wall time"
    fallite=$((fallite + 1))
  fi
}

(
  # Any sanitizer report ends the run with an error.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
  esegui "ASan + UBSan, silent audio" "$asan/bench/soak" "$@"
  esegui "ASan + UBSan, SDL mixer on the dummy device" "$asan/bench/soak" --sdl-audio "$@"
  exit "$fallite"
) || fallite=$?
esegui "optimised, silent audio" "$release/bench/soak" "$@"
esegui "optimised, SDL mixer on the dummy device" "$release/bench/soak" --sdl-audio "$@"

echo
if ((fallite)); then
  echo "soak: $fallite run(s) failed"
  exit 1
fi
echo "soak: every run passed"
