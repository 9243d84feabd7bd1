#!/usr/bin/env bash
# Runs a command on a fresh 1024x768 Xvfb display with a window manager, so windows get real
# frames and captions: with_window_manager.sh COMMAND...
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox --sm-disable >/dev/null 2>&1 &
    manager=$!
    for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
    "$@"
    status=$?
    kill $manager 2>/dev/null || true
    exit $status' bash "$@"
