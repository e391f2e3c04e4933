#!/usr/bin/env bash
# Runs a Windows program in the run's private Wine environment (see wine-env.sh).
# ZK_WINE_DIR names that environment's folder.
set -euo pipefail
dir=$(realpath -m "${ZK_WINE_DIR:?ZK_WINE_DIR is not set}")
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all
export DISPLAY=$(cat "$dir/display")
exec /usr/lib/wine/wine64 "$@"
