#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--inside-display" ]; then
    install_missing
    build
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-display
fi

use_prefix wineprefix-tests  # the one build/wine-run.sh uses
# Wine makes and lists file names outside the code page only under a UTF-8 locale, and the
# tests make such names; whatever the caller's locale, Wine's code page stays the same.
export LC_ALL=C.UTF-8
# Small disks that tests mount in their temporary folders, left by a test that was killed.
unmount_test_disks() {
    local point
    while point="$(awk -v p="$WINEPREFIX/" 'index($2, p) == 1 { print $2; exit }' /proc/mounts)" && [ -n "$point" ]; do
        umount -l "$point" || break
    done
}
trap 'stop_wine; unmount_test_disks' EXIT
unmount_test_disks
start_wine
cd "$BUILD"
# Wine's own error messages for the tests, so a program Wine could not start says why.
export WINEDEBUG=-all,err+all
# A failure counts the first time: nothing is run twice.
ctest --output-on-failure -j "$(nproc)" --timeout 300 9>&-
