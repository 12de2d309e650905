#!/usr/bin/env bash
# Runs every fuzz target (or those named) for a given time each, one after
# the other, under AddressSanitizer and UndefinedBehaviorSanitizer, and keeps
# a small minimized corpus per target in fuzz/corpus/<target>/.
#
#   tools/fuzz.sh [-t SECONDS] [-n RUNS] [TARGET...]
#
#   -t SECONDS  time per target (default 60)
#   -n RUNS     stop a target after this many executions instead, if sooner
#   TARGET      jpeg png gif tiff bmp pcx ico language (default: all)
#
# Builds in build-fuzz/ with clang. Findings (crashes, leaks, time-outs,
# oversized allocations) land in build-fuzz/fuzz-findings/<target>/, logs in
# build-fuzz/fuzz-logs/; the script ends non-zero when there is any finding.
# The fuzzers run at the lowest priority: the machine stays usable.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=60
runs=-1
while getopts "t:n:" opt; do
  case "$opt" in
    t) seconds=$OPTARG ;;
    n) runs=$OPTARG ;;
    *) sed -n '2,16p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
all=(jpeg png gif tiff bmp pcx ico language)
targets=("${@:-${all[@]}}")

QUENDA_WITH_FUZZ=1 "$root/tools/install-deps.sh"
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUENDA_BUILD_FUZZ=ON -DQUENDA_SANITIZE=ON \
  -DQUENDA_BUILD_TESTS=OFF -DQUENDA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_seeds "${targets[@]/#/fuzz_}"

# Seeds: small pictures from the engine's own encoders, and the example
# language file cut into a few pieces.
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
"$build/fuzz/fuzz_seeds" "$seeds" >/dev/null
mkdir -p "$seeds/ico" "$seeds/language"
split -l 40 -d "$root/docs/language.lng" "$seeds/language/lng-"

# Longest input per target: enough for every structure the decoder knows,
# small enough to keep each execution quick.
max_len() {
  case "$1" in
    tiff | jpeg) echo 4096 ;;
    language) echo 2048 ;;
    *) echo 2048 ;;
  esac
}
# Bytes the committed corpus of one target may take.
corpus_budget=32000

mkdir -p "$build/fuzz-logs"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
summary="$build/fuzz-logs/summary.txt"
status=0
for t in "${targets[@]}"; do
  corpus="$root/fuzz/corpus/$t"
  work="$build/fuzz-work/$t"
  findings="$build/fuzz-findings/$t"
  log="$build/fuzz-logs/$t.log"
  mkdir -p "$corpus" "$work" "$findings"
  before=$(find "$findings" -type f | wc -l)
  # The decoders take any picture the engine accepts (up to 600 MB of
  # pixels), so the limit on one allocation sits above that, and a unit may
  # take a while: a valid file of a few hundred bytes can describe such a
  # picture, and filling it is slow under the sanitizers.
  nice -n 19 "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -runs="$runs" -max_len="$(max_len "$t")" \
    -timeout=60 -rss_limit_mb=2560 -malloc_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "$corpus" "$seeds/$t" >"$log" 2>&1 || true
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  after=$(find "$findings" -type f | wc -l)
  new=$((after - before))
  [[ $new -eq 0 ]] || status=1

  # Keep the committed corpus small: a minimal set that keeps the coverage,
  # cut to the budget by dropping its largest files.
  fresh="$build/fuzz-merge/$t"
  rm -rf "$fresh" && mkdir -p "$fresh"
  nice -n 19 "$build/fuzz/fuzz_$t" -merge=1 -max_len="$(max_len "$t")" -timeout=60 -rss_limit_mb=2560 \
    -malloc_limit_mb=1024 -artifact_prefix="$findings/" "$fresh" "$corpus" "$work" >>"$log" 2>&1 || true
  if [[ -n "$(ls -A "$fresh")" ]]; then
    # Smallest first: the files from the one that takes the total over the
    # budget onwards are dropped.
    find "$fresh" -type f -printf '%s %p\n' | sort -n | awk -v budget="$corpus_budget" \
      '{ total += $1; if (total > budget) print $2 }' | xargs -r rm -f
    rm -rf "$corpus" && mv "$fresh" "$corpus"
  fi
  line="$(date -u +%FT%TZ) $t executions=${execs:-?} new-findings=$new corpus-files=$(ls "$corpus" | wc -l)"
  echo "$line" | tee -a "$summary"
done
exit $status
