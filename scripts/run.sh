#!/usr/bin/env bash
# Installs what is missing, builds, lays out a program folder and starts the
# designer under Wine. Without a display it starts Xvfb itself and saves a
# screenshot of the designer window.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

EXE=VexoVadiVirerova.exe
PROGRAM="$BUILD/program"
SHOT="${VEXO_SHOT:-$BUILD/designer.png}"

if [ "${1:-}" != "--inside-display" ]; then
    install_missing
    build --target VexoVadiVirerova
fi

# Is a designer open in this prefix? Ending the prefix's server would end it. Wine's
# processes keep the environment they were started with; a designer's command line is
# its .exe, or wine64 and the .exe while Wine loads it.
designer_open() {
    local want dir args name prefix
    want="$(realpath -m "$WINEPREFIX")"
    for dir in /proc/[0-9]*; do
        mapfile -d '' -t args 2>/dev/null <"$dir/cmdline" || continue
        [ ${#args[@]} -gt 0 ] || continue
        name="${args[0]##*[/\\]}"
        if [[ "${name,,}" == wine* ]] && [ ${#args[@]} -gt 1 ]; then name="${args[1]##*[/\\]}"; fi
        [ "${name,,}" = "${EXE,,}" ] || continue
        prefix="$(tr '\0' '\n' 2>/dev/null <"$dir/environ" | sed -n 's/^WINEPREFIX=//p')" || continue
        [ -n "$prefix" ] && [ "$(realpath -m "$prefix")" = "$want" ] && return 0
    done
    return 1
}

# A second start leaves the open designer and its server alone.
end_if_open() {
    designer_open || return 0
    echo "The designer is already open in $WINEPREFIX${2:-}." >&2
    exit "$1"
}

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

# The designer has ended, or the script was killed: its server goes, unless a designer was
# opened again in the meantime.
stop_wine_unless_open() {
    lock_prefix
    designer_open || stop_wine
}

# With the lock: ends as end_if_open does when a designer is open; else lays out the program
# folder (only now: Wine maps the .exe, rewriting it could crash an open designer), puts the
# demo in place, starts the server with the given exit trap and the designer in the background.
start_designer() {
    lock_prefix
    end_if_open "$1" "${2:-}"
    mkdir -p "$PROGRAM"
    cp -u "$BUILD/src/designer/$EXE" "$PROGRAM/"
    install_demo_skins
    trap "$3" EXIT
    start_wine
    "$WINE" "$PROGRAM/$EXE" 9>&- &
    designer=$!
}

if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != "--screenshot" ] && [ "${1:-}" != "--inside-display" ]; then
    start_designer 0 "" stop_wine_unless_open
    # Another start must find it open before the lock goes.
    for ((i = 0; i < 100; i++)); do
        if designer_open || ! kill -0 "$designer" 2>/dev/null; then break; fi
        sleep 0.05 9>&-
    done
    unlock_prefix
    wait "$designer"
    exit 0
fi

if [ "${1:-}" != "--inside-display" ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside-display
    echo "Screenshot of the designer window: $SHOT"
    exit 0
fi

# Inside Xvfb: the lock is held until the server and the designer with it are gone.
start_designer 1 "; close it to take a screenshot" stop_wine
# The splash shows for about five seconds, then the designer window.
for ((i = 0; i < 60; i++)); do
    sleep 0.5 9>&-
    xdotool search --name "^Vexo Vadi Virerova$" >/dev/null 2>&1 9>&- && break
done
sleep 1.5 9>&-
import -window root "$SHOT" 9>&-
