#!/usr/bin/env bash
# Runs the fuzz targets built in a build directory (make fuzz builds them there).
#   fuzz/run.sh BUILD_DIR replay        every committed seed and regression input, once
#   fuzz/run.sh BUILD_DIR fuzz SECONDS [RUNS]
#                                       each target in turn for SECONDS (or until RUNS
#                                       executions), new inputs kept in BUILD_DIR/fuzz-corpus,
#                                       findings in BUILD_DIR/findings
# TARGETS="tree_reader image_block" limits the run to those targets.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
mode="$2"
seconds="${3:-60}"
runs="${4:-}"
targets="${TARGETS:-tree_reader selective_parser tree_edit image_block geometry_blocks quick_reads document_read shader_file}"
limits=(-rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=5)

dictionary() {
  case "$1" in
    image_block) echo "-dict=$here/dictionaries/image.dict" ;;
    geometry_blocks) echo "-dict=$here/dictionaries/geometry.dict" ;;
    shader_file) echo "-dict=$here/dictionaries/shader.dict" ;;
    tree_edit) ;;
    *) echo "-dict=$here/dictionaries/zin.dict" ;;
  esac
}

status=0
for target in $targets; do
  binary="$build/fuzz/zin_fuzz_$target"
  [ -x "$binary" ] || { echo "missing $binary: build the zin_fuzzers target first"; exit 1; }
  inputs=("$here/corpus/$target")
  [ -d "$here/regressions/$target" ] && inputs+=("$here/regressions/$target")
  case "$mode" in
    replay)
      # Each input runs once; a crash, leak, timeout or failed oracle fails the replay.
      if ! "$binary" "${limits[@]}" -runs=0 "${inputs[@]}" >"$build/replay-$target.log" 2>&1; then
        echo "replay $target: FAILED (see $build/replay-$target.log)"
        tail -30 "$build/replay-$target.log"
        status=1
      else
        echo "replay $target: $(find "${inputs[@]}" -type f | wc -l) inputs passed"
      fi
      ;;
    fuzz)
      work="$build/fuzz-corpus/$target"
      findings="$build/findings/$target"
      mkdir -p "$work" "$findings"
      echo "fuzz $target for ${seconds}s${runs:+ or $runs runs}"
      # The first folder receives the new inputs: the committed seeds stay as they are.
      if ! "$binary" "${limits[@]}" $(dictionary "$target") -max_total_time="$seconds" ${runs:+-runs=$runs} -print_final_stats=1 \
           -artifact_prefix="$findings/" "$work" "${inputs[@]}" >"$build/fuzz-$target.log" 2>&1; then
        echo "fuzz $target: FINDING (see $build/fuzz-$target.log and $findings)"
        tail -40 "$build/fuzz-$target.log"
        status=1
      fi
      grep -E '^Done|stat::number_of_executed_units|stat::peak_rss_mb|stat::slowest_unit_time_sec' "$build/fuzz-$target.log" | sed "s/^/  $target: /"
      ;;
    *)
      echo "usage: $0 BUILD_DIR replay|fuzz [SECONDS [RUNS]]"
      exit 2
      ;;
  esac
done
exit $status
