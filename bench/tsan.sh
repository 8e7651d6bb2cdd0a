#!/usr/bin/env bash
# The engine's tests under ThreadSanitizer: the PNG decode-ahead of the texture loader decodes on
# worker threads while the GL thread uploads, and the sound system mixes on SDL's audio thread.
# Builds test_engine and gltest_engine with -fsanitize=thread into build-tsan/ (its own build,
# no AddressSanitizer, which cannot run beside it) and runs both; the GL tests under the current
# X display or a private Xvfb. Prints each program's result and the time taken; a data race ends
# the program with TSan's report (halt_on_error) and the script fails.
# Usage: bench/tsan.sh [build folder]   (default: build-tsan/)   About 10 minutes on 2 cores.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-tsan}
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"; fi
start=$SECONDS
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DCMAKE_C_FLAGS="-fsanitize=thread" -DCMAKE_CXX_FLAGS="-fsanitize=thread" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" \
  -DTARNOVA_SANITIZE=OFF -DTARNOVA_TESTS=ON -DTARNOVA_BENCH=OFF -DTARNOVA_FUZZ=OFF >/dev/null
cmake --build "$build" --target test_engine gltest_engine -j "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" | grep -v '^\[' || true
echo "tsan: built in $((SECONDS - start)) s"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} TARNOVA_HEADLESS=1
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
# llvmpipe draws in the calling thread: the driver's own threads are not built with TSan, and its
# fences' mutexes race with them in TSan's eyes (a report inside swrast_dri.so, not the game's).
export LP_NUM_THREADS=0
# A kernel with many bits of mmap randomisation puts libraries where TSan's shadow memory goes;
# without randomisation its layout always fits.
run=()
if command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null; then run=(setarch "$(uname -m)" -R); fi
failed=0
for program in test_engine gltest_engine; do
  t=$SECONDS
  if (cd "$build" && "${run[@]}" "./tests/$program" --gtest_brief=1 >"$build/$program.tsan.log" 2>&1); then
    result=passed
  else
    result="FAILED (see $build/$program.tsan.log)"
    failed=1
  fi
  races=$(grep -c "WARNING: ThreadSanitizer" "$build/$program.tsan.log" || true)
  tests=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?.*/\1/p' "$build/$program.tsan.log" | tail -n 1)
  echo "tsan: $program ${tests:-?} tests passed, $races reports, $((SECONDS - t)) s: $result"
done
exit "$failed"
