#!/usr/bin/env bash
# Builds the fuzzers with clang (in build-fuzz) and runs each reader's fuzzer
# for RUNS inputs (default 100000) of up to 8 KB, starting from its seeds
# (fuzz/seeds), the test fixtures and the findings kept so far
# (tests/fuzz/data), with the reader's dictionary (fuzz/dicts). An input
# that breaks a check, crashes or takes more than a second is a finding: it
# is written to build-fuzz/findings/<reader>/ and the script fails.
#   scripts/fuzz.sh [RUNS] [READER...]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-100000}
shift || true
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=(ini name-list rtf help worksheet custom-question review history)

cxx=$(command -v clang++-14 || command -v clang++ || true)
[ -n "$cxx" ] || { echo "clang++ is needed to build the fuzzers" >&2; exit 1; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
      -DVSM_FUZZ=ON -DVSM_BUILD_TESTS=OFF -DVSM_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz

# Test fixtures of each reader, besides its own seeds.
fixtures() {
  case $1 in
    rtf) echo tests/platform/data tests/records/data ;;
    help) echo resources/help ;;
  esac
}

export QT_QPA_PLATFORM=offscreen
# Leaks are the sanitizer test run's business; Qt's caches of the first
# input would read as leaks here.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for reader in "${readers[@]}"; do
  corpus=build-fuzz/corpus/$reader
  findings=build-fuzz/findings/$reader
  mkdir -p "$corpus" "$findings" "tests/fuzz/data/$reader"
  # shellcheck disable=SC2046
  if ! "build-fuzz/fuzz_${reader//-/_}" -runs="$runs" -timeout=1 -rss_limit_mb=2048 -max_len=8192 \
        -len_control=0 -dict="fuzz/dicts/$reader.dict" -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "fuzz/seeds/$reader" "tests/fuzz/data/$reader" $(fixtures "$reader") \
        2> "build-fuzz/$reader.log"; then
    echo "$reader: FINDING, see build-fuzz/$reader.log and $findings/" >&2
    failed=1
  fi
  echo "$reader: $(grep -m1 'stat::number_of_executed_units' "build-fuzz/$reader.log" | awk '{print $2}') inputs," \
       "peak $(grep -m1 'stat::peak_rss_mb' "build-fuzz/$reader.log" | awk '{print $2}') MB"
done
exit $failed
