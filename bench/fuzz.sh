#!/usr/bin/env bash
# Runs every libFuzzer target for a while, each on a copy of its seed corpus (tests/fuzz/<name>/),
# and prints per target the runs, the coverage reached, the corpus grown and the crashes found.
# Findings (crash-*, leak-*, timeout-*, oom-*) are kept in the work folder; a finding that is fixed
# goes into tests/fuzz/<name>/ with its fix, so the test suite replays it from then on.
# Usage: bench/fuzz.sh [-m minutes per target] [-j targets at once] [-w work folder] [name...]
#   defaults: 10 minutes, 2 at once, a new folder under /tmp, every target. The targets come from
#   the clang build of scripts/build-clang (built here if missing). With -w of an earlier run each
#   target goes on from the corpus it grew there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=10 parallel=2 work=""
while getopts "m:j:w:" opt; do
  case $opt in
    m) minutes=$OPTARG ;;
    j) parallel=$OPTARG ;;
    w) work=$OPTARG ;;
    *) sed -n '2,11p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build="$root/build-clang"
# Every target and its seed folder, as fuzz/CMakeLists.txt declares them (SEEDS: another's folder).
declare -A seeds
while read -r name folder; do seeds[$name]=$folder; done < <(awk '/^tarnova_fuzz_target\(fuzz_/ {
  name = substr($1, length("tarnova_fuzz_target(fuzz_") + 1); folder = name
  for (i = 2; i < NF; i++) if ($i == "SEEDS") folder = $(i + 1)
  sub(/\)$/, "", folder); print name, folder }' "$root/fuzz/CMakeLists.txt")
if [ "$#" -gt 0 ]; then names=("$@"); else
  mapfile -t names < <(printf '%s\n' "${!seeds[@]}" | sort)
fi
missing=0
for name in "${names[@]}"; do [ -x "$build/fuzz/fuzz_$name" ] || missing=1; done
[ "$missing" -eq 0 ] || "$root/scripts/build-clang"
work=${work:-$(mktemp -d /tmp/tarnova-fuzz.XXXXXX)}
mkdir -p "$work"
echo "fuzzing ${#names[@]} targets for $minutes min each, $parallel at once, in $work"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export SDL_AUDIODRIVER=dummy

# One target (its name and seed folder): the corpus from the seeds (a work folder of an earlier
# run goes on from the corpus it grew), findings in its own folder, the log kept.
run_one() {
  local name=$1 dir="$work/$1"
  mkdir -p "$dir/corpus" "$dir/findings"
  cp -n "$root/tests/fuzz/$2/"* "$dir/corpus/"
  [ ! -f "$dir/log.txt" ] || mv "$dir/log.txt" "$dir/log.previous.txt"
  # A finding does not end the run: libFuzzer goes on until the time is up (-fork keeps going
  # after a crash; -ignore_crashes with one job counts them).
  (cd "$dir" && "$build/fuzz/fuzz_$name" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
      -max_total_time=$((minutes * 60)) -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/findings/" corpus >"$dir/log.txt" 2>&1) || true
}
export -f run_one
export root build work minutes
for name in "${names[@]}"; do printf '%s %s\n' "$name" "${seeds[$name]:-$name}"; done |
  xargs -P "$parallel" -L1 bash -c 'run_one "$0" "$1"'

# The figures: runs, coverage (edges) and features, corpus size, and the crashes, timeouts and
# out-of-memory runs libFuzzer counted (each kept as a file in the target's findings folder).
printf '%-18s %12s %8s %8s %8s %8s %8s %8s\n' target runs edges features corpus crashes timeouts ooms
total=0
for name in "${names[@]}"; do
  log="$work/$name/log.txt"
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  runs=$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$last")
  edges=$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$last")
  features=$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$last")
  read -r ooms timeouts crashes < <(sed -nE 's|.*oom/timeout/crash: ([0-9]+)/([0-9]+)/([0-9]+).*|\1 \2 \3|p' <<<"$last" | grep . || echo "0 0 0")
  corpus=$(find "$work/$name/corpus" -type f | wc -l)
  findings=$(find "$work/$name/findings" -type f | wc -l)
  total=$((total + findings + crashes + timeouts + ooms))
  printf '%-18s %12s %8s %8s %8s %8s %8s %8s\n' "$name" "${runs:-?}" "${edges:-?}" "${features:-?}" "$corpus" "$crashes" "$timeouts" "$ooms"
done
echo "work folder: $work (findings in <target>/findings, logs in <target>/log.txt)"
[ "$total" -eq 0 ]
