#!/usr/bin/env bash
# Installs what is missing, builds, and prints the benchmark table.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--inside-display" ]; then
    install_missing
    build --target vexo_bench
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-display
fi

use_prefix wineprefix-bench
trap stop_wine EXIT
start_wine
"$WINE" "$BUILD/bench/vexo_bench.exe" 9>&-
