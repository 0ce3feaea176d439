#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs bench_targets on a fresh Xvfb display with openbox and a session bus, as a desktop has.
# Usage: bench/run-targets.sh [BUILD_DIR] [WARM_RUNS] [COLD_RUNS]
set -euo pipefail
build=${1:-build-bench}
shift || true
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
  sh -c 'openbox >/dev/null 2>&1 & sleep 1; "$0" "$@"' "$build/bench/bench_targets" "$@"
