#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--inside-display" ]; then
    install_missing
    build
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-display
fi

use_prefix wineprefix-tests  # the one build/wine-run.sh uses
trap stop_wine EXIT
start_wine
cd "$BUILD"
# A failure counts the first time: nothing is run twice.
ctest --output-on-failure -j "$(nproc)" --timeout 300 9>&-
