#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--inside-display" ]; then
    install_missing
    build
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-display
fi

trap stop_wine EXIT
start_wine
cd "$BUILD"
# Window tests run under emulation on a shared machine: one that fails is run once
# more before it counts, and its first failure is still printed.
ctest --output-on-failure -j "$(nproc)" --timeout 300 --repeat until-pass:2
