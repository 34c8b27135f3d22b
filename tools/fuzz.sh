#!/usr/bin/env bash
# Fuzzes the wire decoder and the server's dispatcher with libFuzzer.
#
#   tools/fuzz.sh seeds                 refresh fuzz/corpus from the requests the server tests send
#   tools/fuzz.sh wire|dispatch [RUNS] [JOBS]
#                                       build (build-fuzz/, clang) and run RUNS executions
#                                       (default 10,000,000) split over JOBS processes (default 1)
#
# SANITIZERS=undefined (default address,undefined) builds without the address
# sanitizer, several times faster, for long runs.
# New inputs go to a scratch corpus (the checked-in seeds stay as they are);
# crashes are written to build-fuzz/crashes/. Prints executions, coverage and crashes.
set -euo pipefail
cd "$(dirname "$0")/.."

target="${1:-}"
if [ "$target" = seeds ]; then
  [ -x build/tests/test_server ] || { echo "build the project first (scripts/setup)" >&2; exit 1; }
  mkdir -p fuzz/corpus
  RALD_FUZZ_SEEDS="$PWD/fuzz/corpus" QT_QPA_PLATFORM=offscreen build/tests/test_server >/dev/null
  echo "seeds: $(ls fuzz/corpus | wc -l) requests in fuzz/corpus"
  exit 0
fi
case "$target" in wire|dispatch) ;; *) sed -n '2,11p' "$0" >&2; exit 2 ;; esac
runs="${2:-10000000}"
jobs="${3:-1}"

sanitizers="${SANITIZERS:-address,undefined}"
BUILD=build-fuzz
[ "$sanitizers" = address,undefined ] || BUILD="build-fuzz-${sanitizers//,/-}"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/rald-ccache}"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DRALD_FUZZ=ON -DRALD_FUZZ_SANITIZERS="$sanitizers" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$BUILD" -j3 --target "fuzz_$target" >/dev/null

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$BUILD/crashes" "$scratch/corpus"
cp fuzz/corpus/* "$scratch/corpus/" 2>/dev/null || true
per=$(( (runs + jobs - 1) / jobs ))
start=$(date +%s)
pids=()
for j in $(seq 1 "$jobs"); do
  ASAN_OPTIONS=detect_leaks=0:allocator_release_to_os_interval_ms=-1 "$BUILD/fuzz/fuzz_$target" -runs="$per" -max_len=4096 -timeout=120 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$BUILD/crashes/$target-" \
    "$scratch/corpus" >"$scratch/log$j" 2>&1 &
  pids+=($!)
done
failed=0
for p in "${pids[@]}"; do wait "$p" || failed=$((failed + 1)); done
end=$(date +%s)

total=0; cov=0; ft=0
for j in $(seq 1 "$jobs"); do
  n=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$scratch/log$j" | grep -o '[0-9]*$' || echo 0)
  total=$((total + ${n:-0}))
  c=$(grep -o 'cov: [0-9]*' "$scratch/log$j" | tail -1 | grep -o '[0-9]*' || echo 0)
  f=$(grep -o 'ft: [0-9]*' "$scratch/log$j" | tail -1 | grep -o '[0-9]*' || echo 0)
  [ "${c:-0}" -gt "$cov" ] && cov=$c
  [ "${f:-0}" -gt "$ft" ] && ft=$f
done
# A process that ended other than by finishing its runs counts as a crash.
crashes=$(grep -l -E 'ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error|deadly signal' "$scratch"/log* 2>/dev/null | wc -l || true)
[ "$failed" -gt "$crashes" ] && crashes=$failed
echo "fuzz_$target ($sanitizers): $total executions in $((end - start)) s over $jobs process(es); coverage: $cov edges, $ft features; corpus $(ls "$scratch/corpus" | wc -l) inputs; crashes: $crashes"
if [ "$crashes" -ne 0 ]; then
  grep -h -A20 -E 'ERROR|runtime error|deadly signal|terminate|what\(\)' "$scratch"/log* | head -60
  exit 1
fi
