#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 and runs each for the given number of seconds.
set -euo pipefail
seconds=${1:-20}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DMOVRA_BUILD_QT=OFF -DMOVRA_FUZZ=ON -DMOVRA_BUILD_TESTS=OFF -DMOVRA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"
status=0
pids=()
for f in build-fuzz/fuzz/fuzz_*; do
  [ -f "$f" ] && [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/corpus/${name#fuzz_}
  [ -d "$seeds" ] || seeds=""
  # The targets that read program text mutate with the words of the contour language.
  dict=""
  case ${name#fuzz_} in
    interpreter|machining) dict=-dict=fuzz/contour_language.dict ;;
  esac
  ( "$f" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        $dict "$corpus" $seeds >"build-fuzz/$name.log" 2>&1 \
      && echo "fuzz $name: ok" \
      || { echo "fuzz $name: FAILED"; tail -n 40 "build-fuzz/$name.log"; exit 1; } ) &
  pids+=($!)
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
exit $status
