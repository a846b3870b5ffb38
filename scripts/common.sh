# Shared by the project's commands: install what is missing, configure and build,
# and run a command with the build folder's Wine prefix up.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VEXO_BUILD_DIR:-$ROOT/build}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
# The designer's own prefix (where the user's skins live); tests and the benchmark use
# prefixes of their own (use_prefix), so they never end a designer the user has open.
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(wine64 g++-mingw-w64-x86-64 xvfb xauth fonts-wine cmake ninja-build googletest
          imagemagick xdotool python3)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    # An ordinary user on a machine that has the tools needs neither root nor sudo.
    if [ ${#missing[@]} -gt 0 ]; then
        local sudo=""
        if [ "$(id -u)" -ne 0 ]; then
            command -v sudo >/dev/null || {
                echo "Missing packages: ${missing[*]}. Install them as root (apt-get install ${missing[*]}), or install sudo." >&2
                exit 1
            }
            sudo=sudo
        fi
        echo "Installing: ${missing[*]}"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

build() {
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$BUILD" -G Ninja \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$BUILD" "$@"
}

use_prefix() { export WINEPREFIX="$BUILD/$1"; }

# One script at a time uses a prefix; another one waits. Each ends the prefix's server when it
# is done, which ends every program of the prefix: a test started by a second script in that
# instant dies with no output at all. The lock is the scripts' alone: every program they start
# gets fd 9 closed (9>&-), so one left behind by a killed script does not keep it.
lock_prefix() {
    [ "${VEXO_PREFIX_LOCKED:-}" != "$WINEPREFIX" ] || return 0
    mkdir -p "$BUILD"
    exec 9>"$WINEPREFIX.lock"
    if ! flock -n 9; then
        echo "Waiting for another script that uses $WINEPREFIX ..." >&2
        flock 9
    fi
    export VEXO_PREFIX_LOCKED="$WINEPREFIX"
}

# For a script that waits on a long-lived program: others may use the prefix meanwhile.
unlock_prefix() {
    exec 9>&-
    unset VEXO_PREFIX_LOCKED
}

# A prefix holds the user's skins, so it is never deleted: one without the marker (Wine made
# it, or a copy lost the marker) is set up in place. Wine draws its own frames so hiding a
# window does not stall.
ensure_prefix() {
    lock_prefix
    if [ ! -f "$WINEPREFIX/.vexo-ready" ]; then
        local boot=-i log
        if [ -e "$WINEPREFIX" ]; then
            boot=-u
            # A persistent server left there would keep the set-up waiting for good.
            "$WINESERVER" -k 2>/dev/null 9>&- || true
        fi
        log="$WINEPREFIX.setup.log"
        "$WINE" wineboot $boot </dev/null >"$log" 2>&1 9>&- || true
        if ! { "$WINESERVER" -w 2>>"$log" 9>&- &&
               "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$log" 2>&1 9>&- &&
               "$WINESERVER" -w 2>>"$log" 9>&- && [ -d "$WINEPREFIX/drive_c/windows" ]; }; then
            echo "Cannot set up the Wine prefix $WINEPREFIX; it is left as it is (Wine's output: $log)." >&2
            exit 1
        fi
        rm -f "$log"
        touch "$WINEPREFIX/.vexo-ready"
    fi
    # Wine's own Tahoma and Marlett, so captions and caption buttons look right.
    cp -u /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# One persistent server and a booted prefix, so programs start fast and Wine's
# background processes do not hold the caller's pipes open. A server still running now
# was left by a killed script (run.sh first makes sure no designer is open there): it
# goes, since a running server can't be made persistent.
start_wine() {
    ensure_prefix
    "$WINESERVER" -k 2>/dev/null 9>&- || true
    "$WINESERVER" -w 9>&-
    "$WINESERVER" -p 9>&-
    "$WINE" wineboot </dev/null >/dev/null 2>&1 9>&- || true
}

stop_wine() {
    "$WINESERVER" -k 2>/dev/null 9>&- || true
}
