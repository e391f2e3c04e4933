#!/usr/bin/env bash
# Manages the private Wine environment of one test run:
#   wine-env.sh start DIR   new prefix in DIR/prefix, Xvfb display, warm wineserver
#   wine-env.sh stop DIR    stops the wineserver of that prefix and the Xvfb it started
# Only processes recorded in DIR are stopped.
set -euo pipefail
cmd=${1:?start|stop}
dir=$(realpath -m "${2:?folder}")
wine=/usr/lib/wine/wine64
export WINEPREFIX="$dir/prefix" WINEDEBUG=-all

stop() {
  if [[ -d "$WINEPREFIX" ]]; then wineserver -k 2>/dev/null || true; fi
  if [[ -f "$dir/xvfb.pid" ]]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$dir/xvfb.pid"
  fi
}

start() {
  stop
  rm -rf "$dir"
  mkdir -p "$dir"
  # Xvfb picks a free display itself and reports it on fd 3.
  exec 3>"$dir/display.num"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 </dev/null &
  echo $! >"$dir/xvfb.pid"
  exec 3>&-
  for _ in $(seq 100); do [[ -s "$dir/display.num" ]] && break; sleep 0.1; done
  [[ -s "$dir/display.num" ]] || { echo "wine-env: Xvfb did not start" >&2; exit 1; }
  echo ":$(tr -d '\n' <"$dir/display.num")" >"$dir/display"
  export DISPLAY=$(cat "$dir/display")
  # The server and the system processes it starts (services, winedevice) stay
  # up for the whole run; start them with closed output so that no test's
  # output pipe is held open by them.
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null
  timeout 120 "$wine" wineboot -i >/dev/null 2>&1 </dev/null
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  timeout 60 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 </dev/null
  timeout 60 "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
