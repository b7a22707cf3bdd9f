#!/usr/bin/env bash
# Builds the fuzz targets with clang for libFuzzer under UndefinedBehaviorSanitizer (the GBK
# literals come from transcoded copies of the sources, cmake/gbk_literals.cmake), checks those
# literals and replays the saved corpora, then runs each target in-process for a bounded time
# (seconds, default 60) from its saved corpus in fuzz/corpus/. The suite's AddressSanitizer
# build replays the saved corpora too. Prints each target's executions and executions per
# second; fails when any target crashes or hangs, and leaves the input that did it in
# build-fuzz/findings/<target>/.
# Usage: scripts/fuzz.sh [seconds] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build="$root/build-fuzz"
# An input that runs longer than this on a busy machine counts as a hang.
timeout_seconds=25
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=OFF -DVELMORA_FUZZ=ON -DVELMORA_SANITIZE=OFF \
  -DVELMORA_WERROR=ON "$@"
targets=()
for source in "$root"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
cmake --build "$build" --target gbk_literals_check "${targets[@]}"
ctest --test-dir "$build" --output-on-failure -R '^fuzz'
# A fixed time zone spares mktime a look at /etc/localtime per call, and a heap that is not
# trimmed after each input spares the page faults of growing it again: together two thirds of
# the .docx writer's time.
export TZ=UTC GLIBC_TUNABLES=glibc.malloc.trim_threshold=67108864:glibc.malloc.top_pad=16777216
status=0
for target in "${targets[@]}"; do
  out="$build/findings/$target"
  rm -rf "$out"
  mkdir -p "$out/corpus"
  # New inputs go to the first folder; the saved corpus stays as it is.
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout="$timeout_seconds" \
    -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "$root/fuzz/corpus/${target%_fuzz}" \
    >"$out.log" 2>&1; then
    tail -40 "$out.log"
    status=1
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out.log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out.log")
  findings=$(find "$out" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  echo "$target: ${execs:-0} executions, ${rate:-0}/s, $findings crashes"
  [ "$findings" -eq 0 ] || status=1
done
exit "$status"
