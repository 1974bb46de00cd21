#!/usr/bin/env bash
# Instructions the library executes on each hostile shape at 4 MiB and at 16 MiB,
# counted by cachegrind: work that grows linearly gives a ratio of 4 whatever the
# caches do. Each count is that of making the input and reading it once, less that
# of making it alone.
#   bench/hostile_instructions.sh [BUILD_DIR]     (default build/bench, made by make bench)
set -euo pipefail
bench="${1:-build/bench}/bench/zin_hostile_bench"
[ -x "$bench" ] || { echo "missing $bench: run make bench first"; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind is needed (apt-get install valgrind)"; exit 1; }

instructions() {  # shape MiB runs
  valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null "$bench" --once="$1:$2:$3" 2>&1 |
    sed -n 's/.*I *refs: *//p' | tr -d ,
}

printf '%-40s %16s %16s %6s\n' shape "4 MiB" "16 MiB" ratio
for ((shape = 0; ; ++shape)); do
  name="$("$bench" --once="$shape:1:0" 2>/dev/null)" || break
  small=$(( $(instructions "$shape" 4 1) - $(instructions "$shape" 4 0) ))
  large=$(( $(instructions "$shape" 16 1) - $(instructions "$shape" 16 0) ))
  printf '%-40s %16d %16d %6.2f\n' "$name" "$small" "$large" "$(awk -v a="$large" -v b="$small" 'BEGIN { print a / b }')"
done
