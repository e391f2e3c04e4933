#!/usr/bin/env bash
# Builds the sample setup from template/ with the native setupc and the win64
# engine.exe and zor.lib, runs it silently under Wine with a setup log in a
# private Wine environment, and shows what the script wrote and the log.
#   scripts/demo.sh <build folder>     (the folder holding native/ and win64/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:?usage: demo.sh <build folder>}")
setupc="$build/native/setupc/setupc"
engine="$build/win64/engine/startup/win/engine.exe"
zor="$build/win64/bin/zor.lib"
for f in "$setupc" "$engine" "$zor"; do
  [[ -f "$f" ]] || { echo "demo: $f is missing; build the native and win64 trees first" >&2; exit 1; }
done

work="$build/demo"
rm -rf "$work/setup"
mkdir -p "$work"
echo "== Building the sample setup"
"$setupc" build "$root/template" -o "$work/setup" --engine "$engine" --zor "$zor"

wine_dir="$work/wine"
echo "== Starting a private Wine environment"
"$root/scripts/wine-env.sh" start "$wine_dir"
trap '"$root/scripts/wine-env.sh" stop "$wine_dir"' EXIT

log="$work/setup.log"
rm -f "$log" "$work/setup/result.txt"
echo "== Running setup.exe /s"
set +e
(cd "$work/setup" && ZK_WINE_DIR="$wine_dir" timeout 300 "$root/scripts/wine-run.sh" setup.exe /s "/l=Z:${log//\//\\}")
code=$?
set -e
echo "exit code: $code"

echo "== What the script wrote (result.txt)"
if [[ -f "$work/setup/result.txt" ]]; then tr -d '\r' <"$work/setup/result.txt"; else echo "(no result.txt)"; fi
echo "== Setup log"
if [[ -f "$log" ]]; then iconv -f UTF-16LE -t UTF-8 "$log" | tr -d '\r'; else echo "(no log)"; fi
exit "$code"
