#!/usr/bin/env bash
# The kill campaign on saves: a child process saving two versions of the
# combination, the settings file and Record in turn is killed N times for each
# (default 1000) at random points, and the file must be one version whole after
# every kill. ./test runs the same test with a few dozen kills.
#
#   scripts/salvataggi-interrotti.sh [N]
#
# Runs in the build folder of ./test (build), configured here when missing;
# SKARVEX_BUILD names another.
set -euo pipefail
cd "$(dirname "$0")/.."

cartella=${SKARVEX_BUILD:-build}
if [[ ! -f $cartella/build.ninja ]]; then
  cmake -S . -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARVEX_WERROR=ON >/dev/null
fi
cmake --build "$cartella" -j "${SKARVEX_JOBS:-$(nproc)}" --target test_salvataggi

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
SKARVEX_UCCISIONI=${1:-1000} "$cartella/tests/combinations/test_salvataggi" \
  --gtest_filter='Salvataggi.AProcessKilledWhileSaving*'
