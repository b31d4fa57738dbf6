#!/usr/bin/env bash
# Runs one fuzzer on a scratch copy of its committed corpus, so that the repository
# is never changed. A finding is kept in BUILD/fuzz-findings/ and fails the run:
# add it to fuzz/regressions/TARGET/ once its fault is fixed.
#   fuzz/run.sh BUILD TARGET SECONDS [more libFuzzer options]
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 BUILD assembler|engine|session|protocol|cases SECONDS [libFuzzer options]" >&2; exit 2; }
build=$1 target=$2 seconds=$3
shift 3
fuzz_dir=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/corpus" "$build/fuzz-findings"
for set in corpus regressions; do
  if [ -d "$fuzz_dir/$set/$target" ]; then cp -r "$fuzz_dir/$set/$target/." "$scratch/corpus/"; fi
done

options=()
case $target in
  assembler) options=(-dict="$fuzz_dir/casl.dict") ;;
  # Room for a 32-bit word in every cell and long answers, beyond the seeds' length.
  engine) options=(-max_len=2048) ;;
  session) cat "$fuzz_dir/casl.dict" "$fuzz_dir/session.dict" >"$scratch/session.dict"
           options=(-dict="$scratch/session.dict") ;;
esac

"$build/fuzz/fuzz_$target" "$scratch/corpus" "${options[@]}" -max_total_time="$seconds" -timeout=30 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$target-" "$@"
