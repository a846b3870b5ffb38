#!/usr/bin/env bash
# Installs what is missing, builds, lays out a program folder and starts the
# designer under Wine. Without a display it starts Xvfb itself and saves a
# screenshot of the designer window.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
build --target VexoVadiVirerova
PROGRAM="$BUILD/program"
mkdir -p "$PROGRAM"
cp -u "$BUILD/src/designer/VexoVadiVirerova.exe" "$PROGRAM/"

# A ready demo: the host's skins folder under Program Files, with the sample skin.
# The program folder's first start offers to search for it. Installed once: after that
# the folder is the user's, and what they deleted or renamed there stays so.
install_demo_skins() {
    ensure_prefix
    local skins="$WINEPREFIX/drive_c/Program Files/Vexo/Skins"
    [ -e "$skins" ] && return 0
    rm -rf "$skins.part"
    mkdir -p "$skins.part"
    cp -r "$ROOT/resources/sample/Skins/." "$skins.part/"
    mv "$skins.part" "$skins"
}
install_demo_skins

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshot" ]; then
    trap stop_wine EXIT
    start_wine
    "$WINE" "$PROGRAM/VexoVadiVirerova.exe"
    exit 0
fi

SHOT="${VEXO_SHOT:-$BUILD/designer.png}"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source "'"$ROOT"'/scripts/common.sh"
    trap stop_wine EXIT
    start_wine
    "$WINE" "'"$PROGRAM"'/VexoVadiVirerova.exe" &
    # The splash shows for about five seconds, then the designer window.
    for i in $(seq 1 60); do
        sleep 0.5
        xdotool search --name "^Vexo Vadi Virerova$" >/dev/null 2>&1 && break
    done
    sleep 1.5
    import -window root "'"$SHOT"'"
    "$WINESERVER" -k
'
echo "Screenshot of the designer window: $SHOT"
