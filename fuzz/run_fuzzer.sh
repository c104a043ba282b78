#!/usr/bin/env bash
# run_fuzzer.sh FUZZER SEED_DIR SECONDS: fuzzes from a fresh copy of the seeds so
# that the repository's corpus is never written to.
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
work=${QUILLON_FUZZ_WORK:-$(mktemp -d)}
rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
cp -r "$seeds"/. "$work/corpus/" 2>/dev/null || true
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus"
