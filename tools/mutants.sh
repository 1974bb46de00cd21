#!/usr/bin/env bash
# The mutation sample: plants each fault of tools/mutants.txt in turn in a copy of a
# committed revision, builds what the fault touches (Release, without sanitizers),
# runs the test binaries that were rebuilt, and reports the faults no test caught.
# Run by hand. The copy lives in the build directory and is kept up to date through
# git with an index of its own, so the worktree is never touched and each fault is
# undone by checking its file out again.
#
#   tools/mutants.sh [NAME...]        every fault of the list, or the named ones
#   tools/mutants.sh --check          only checks that every fault can be planted
#
# MUTANT_REV (HEAD: what is committed, not the worktree), MUTANT_BUILD (build/mutants),
# MUTANT_LIST (tools/mutants.txt, read from the worktree), MUTANT_JOBS (2),
# MUTANT_TIMEOUT (seconds per test binary, 300): a binary that hangs counts as failed.
set -euo pipefail
cd "$(dirname "$0")/.."

rev=$(git rev-parse --verify "${MUTANT_REV:-HEAD}^{commit}")
work=$(realpath -m "${MUTANT_BUILD:-build/mutants}")
list=$(realpath "${MUTANT_LIST:-tools/mutants.txt}")
jobs=${MUTANT_JOBS:-2}
limit=${MUTANT_TIMEOUT:-300}
src=$work/src
build=$work/build
mkdir -p "$src" "$build"

# The copy of rev: only files that differ from the last run's are rewritten, so a
# second run rebuilds only what changed.
copy() { GIT_INDEX_FILE="$work/index" git --work-tree="$src" "$@"; }
copy read-tree -u --reset "$rev"

# The list, one record per fault: "name file: what", "- old", "+ new"; a line that
# starts with neither continues the text above it. Modes: "names" prints
# "name<TAB>file<TAB>what" per record; "apply NAME" plants the fault (exit 3 when
# its old text is not in the file exactly once).
records() {
  MUTANT_SRC=$src perl -e '
    use strict; use warnings;
    my ($list, $mode, $want) = @ARGV;
    open(my $in, "<", $list) or die "mutants: cannot read $list\n";
    my (@recs, $rec, $part);
    while (my $line = <$in>) {
      chomp $line;
      next if $line =~ /^#/;
      if ($line eq "") { $part = undef; next; }
      if (!defined $part && $line =~ /^(\S+) (\S+): (.*)$/) {
        $rec = {name => $1, file => $2, what => $3, old => undef, new => undef};
        push @recs, $rec; $part = "head"; next;
      }
      die "mutants: stray line: $line\n" unless $rec;
      if ($line =~ /^- ?(.*)$/s && $part eq "head") { $rec->{old} = $1; $part = "old"; next; }
      if ($line =~ /^\+ ?(.*)$/s && $part eq "old") { $rec->{new} = $1; $part = "new"; next; }
      die "mutants: stray line: $line\n" unless $part eq "old" || $part eq "new";
      $rec->{$part} .= "\n" . $line;
    }
    for my $r (@recs) { die "mutants: $r->{name} lacks its - or + line\n" unless defined $r->{new}; }
    if ($mode eq "names") { print "$_->{name}\t$_->{file}\t$_->{what}\n" for @recs; exit 0; }
    my ($r) = grep { $_->{name} eq $want } @recs or die "mutants: no fault named $want\n";
    my $path = "$ENV{MUTANT_SRC}/$r->{file}";
    open(my $f, "<", $path) or die "mutants: cannot read $path\n";
    local $/; my $text = <$f>; close $f;
    my $at = index($text, $r->{old});
    exit 3 if $at < 0 || index($text, $r->{old}, $at + 1) >= 0;
    substr($text, $at, length $r->{old}) = $r->{new};
    open(my $out, ">", $path) or die; print $out $text; close $out;
  ' "$list" "$@"
}

mapfile -t all < <(records names)
check=false
if [ "${1:-}" = "--check" ]; then
  check=true
  shift
fi
if [ $# -gt 0 ]; then
  chosen=()
  for name in "$@"; do
    found=$(printf '%s\n' "${all[@]}" | awk -F'\t' -v n="$name" '$1 == n' || true)
    [ -n "$found" ] || { echo "mutants: no fault named $name" >&2; exit 2; }
    chosen+=("$found")
  done
else
  chosen=("${all[@]}")
fi

planted=""
undo() {
  if [ -n "$planted" ]; then
    copy checkout-index -f -- "$planted"
    planted=""
  fi
}
trap undo EXIT
trap 'undo; exit 130' INT TERM

if $check; then
  bad=0
  for record in "${chosen[@]}"; do
    IFS=$'\t' read -r name file what <<<"$record"
    planted=$file
    if records apply "$name"; then
      echo "ok           $name"
    else
      echo "NOT PLANTED  $name: its text is not in $file exactly once"
      bad=1
    fi
    undo
  done
  exit $bad
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZIN_SANITIZE= -DZIN_BUILD_TESTS=ON \
  -DZIN_BUILD_EXAMPLES=OFF -DZIN_BUILD_BENCH=OFF -DZIN_BUILD_FUZZ=OFF "${launcher[@]}" >/dev/null
logs="$work/logs"
mkdir -p "$logs"
stamp="$work/stamp"

build_all() { cmake --build "$build" -j "$jobs" >"$1" 2>&1; }

# Runs the given test binaries; prints the first that fails, nothing when all pass.
run_tests() {
  local log=$1
  shift
  : >"$log"
  for binary in "$@"; do
    if ! (cd "$build/tests" && ZIN_TEST_BINARY_DIR="$build" timeout "$limit" "$binary" --gtest_brief=1) >>"$log" 2>&1; then
      basename "$binary"
      return
    fi
  done
}

binaries() { find "$build/tests" -maxdepth 1 -name 'zin_*_tests' -type f -perm -u+x "$@" | sort; }

echo "mutants: $(git log -1 --format='%h %s' "$rev")"
echo "mutants: building and testing it unchanged"
build_all "$logs/baseline-build.log" || { echo "mutants: the unchanged library does not build" >&2; exit 2; }
mapfile -t every < <(binaries)
failed=$(run_tests "$logs/baseline.log" "${every[@]}")
if [ -n "$failed" ]; then
  echo "mutants: $failed fails without a fault (see $logs/baseline.log)" >&2
  exit 2
fi

caught=0
survivors=()
unplanted=()
for record in "${chosen[@]}"; do
  IFS=$'\t' read -r name file what <<<"$record"
  build_all "$logs/restore-build.log" || { echo "mutants: the unchanged library no longer builds" >&2; exit 2; }
  touch "$stamp"
  sleep 1  # binaries relinked in the same second as the stamp would pass for older
  planted=$file
  if ! records apply "$name"; then
    planted=""
    echo "NOT PLANTED  $name: its text is not in $file exactly once"
    unplanted+=("$name")
    continue
  fi
  if ! build_all "$logs/$name.build.log"; then
    undo
    echo "NOT BUILT    $name (see $logs/$name.build.log)"
    unplanted+=("$name")
    continue
  fi
  mapfile -t rebuilt < <(binaries -newer "$stamp")
  by=""
  if [ ${#rebuilt[@]} -gt 0 ]; then
    by=$(run_tests "$logs/$name.log" "${rebuilt[@]}")
  fi
  undo
  if [ -n "$by" ]; then
    caught=$((caught + 1))
    echo "caught       $name by $by"
  else
    survivors+=("$name: $what")
    echo "SURVIVED     $name: $what"
  fi
done
build_all "$logs/restore-build.log" || true

total=$((${#chosen[@]} - ${#unplanted[@]}))
echo
echo "caught $caught of $total planted faults"
if [ ${#unplanted[@]} -gt 0 ]; then echo "not planted or not built: ${unplanted[*]}"; fi
if [ ${#survivors[@]} -gt 0 ]; then
  echo "no test caught:"
  printf '  %s\n' "${survivors[@]}"
fi
