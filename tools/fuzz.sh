#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs each for the given number of
# seconds (default 60), starting from the committed seed corpus. New inputs go to build-fuzz/corpus/.
#   tools/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
tools/install-deps.sh debian-packages.txt
if ! command -v clang++-14 >/dev/null; then
  [ "$(id -u)" -eq 0 ] && apt-get install -y -qq clang-14 libfuzzer-14-dev || { echo "clang-14 and libfuzzer-14-dev needed" >&2; exit 1; }
fi
# fuzzer-no-link gives the project's own code the coverage counters that guide the fuzzer.
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DTARVEL_FUZZ=ON \
  -DTARVEL_BUILD_TESTS=OFF -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target tarvel_core
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(sed -n 's/^tarvel_add_fuzzer(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt))
fi
failed=0
for t in "${targets[@]}"; do
  cmake --build build-fuzz --parallel "$(nproc)" --target "$t"
  name=${t#fuzz_}
  mkdir -p "build-fuzz/corpus/$name"
  # Seeds: the committed corpus of the target, and the test fixtures it reads.
  seeds=()
  for d in "fuzz/corpus/$name" "tests/data/$name" "build/tests/data/$name"; do
    [ -d "$d" ] && seeds+=("$d")
  done
  echo "== $t for ${seconds}s"
  log="build-fuzz/$t.log"
  status=0
  ASAN_OPTIONS=detect_leaks=0 build-fuzz/fuzz/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "build-fuzz/corpus/$name" "${seeds[@]}" >"$log" 2>&1 || status=$?
  # Coverage when the corpus was loaded, and at the end of the run.
  grep -E '^#[0-9]+.*INITED' "$log" | head -n 1
  grep -E '^#[0-9]+' "$log" | grep -E 'cov:' | tail -n 1
  grep -E '^stat::(number_of_executed_units|new_units_added)|ERROR|SUMMARY' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "$t found a problem (exit $status); see $log" >&2
    failed=1
  fi
done
exit $failed
