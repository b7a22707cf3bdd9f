#!/usr/bin/env bash
# Builds the fuzz targets with AFL++'s GCC instrumentation (the sources need GCC's
# -fexec-charset=GBK; Debian 12's GCC plugin of afl-g++-fast refuses its GCC build)
# and runs each under afl-fuzz for a bounded time (seconds, default 50) from its saved corpus.
# Fails when any target finds a crash; prints each target's executions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-50}
build="$root/build-fuzz"
CXX=afl-g++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=OFF
targets=()
for source in "$root"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)_replay"); done
cmake --build "$build" --target "${targets[@]}"
export AFL_NO_UI=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 \
  AFL_SKIP_CRASHES=1 AFL_NO_AFFINITY=1
status=0
for target in "${targets[@]}"; do
  corpus="$root/fuzz/corpus/${target%_fuzz_replay}"
  out="$build/findings/$target"
  rm -rf "$out"
  mkdir -p "$build/findings"
  afl-fuzz -V "$seconds" -i "$corpus" -o "$out" -- "$build/fuzz/$target" @@ >"$out.log" 2>&1 || {
    tail -20 "$out.log"
    status=1
  }
  execs=$(sed -n 's/^execs_done *: *//p' "$out/default/fuzzer_stats" 2>/dev/null || echo 0)
  crashes=$(find "$out/default/crashes" -name 'id:*' 2>/dev/null | wc -l)
  hangs=$(find "$out/default/hangs" -name 'id:*' 2>/dev/null | wc -l)
  echo "$target: $execs executions, $crashes crashes, $hangs hangs"
  [ "$crashes" -eq 0 ] || status=1
done
exit "$status"
