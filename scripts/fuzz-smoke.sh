#!/usr/bin/env bash
# Runs one libFuzzer target for a short smoke period: fuzz-smoke.sh BINARY CORPUS SECONDS [SEEDS]
set -euo pipefail
bin=$1 corpus=$2 seconds=$3 seeds=${4:-}
mkdir -p "$corpus"
args=("$corpus")
[[ -n "$seeds" && -d "$seeds" ]] && args+=("$seeds")
exec "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 "${args[@]}"
