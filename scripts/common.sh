# What the project's commands share; each of them sources this file:
#   source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# Where the sources and the build tree are, the Debian packages, configuring
# and building, the private Wine prefix and its server, a null-modem pair with
# the device simulator on it, waiting with a deadline, and ending at exit what
# a command started, last started first.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
command_name=$(realpath --relative-to="$root" "$0")
source "$root/scripts/packages.sh"

fail() {
    echo "$command_name: $*" >&2
    exit 1
}

# build_tree DEFAULT: the build tree as an absolute path, made when missing:
# BUILD_DIR when it is set, else the folder DEFAULT below the sources.
build_tree() {
    local tree=${BUILD_DIR:-$root/$1}
    mkdir -p "$tree"
    (cd "$tree" && pwd)
}

# configure_tree BUILD [-DNAME=VALUE ...]: configures the tree for 64-bit
# Windows once, with the cache entries given.
configure_tree() {
    local build=$1
    shift
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$@"
    fi
}

# configure_and_build BUILD [-DNAME=VALUE ...] [TARGET ...]: configures the tree
# for 64-bit Windows once, with the cache entries given, and builds the targets
# (all of them when none is named).
configure_and_build() {
    local build=$1 word settings=() targets=()
    shift
    for word in "$@"; do
        case "$word" in
            -D*) settings+=("$word") ;;
            *) targets+=("$word") ;;
        esac
    done
    configure_tree "$build" "${settings[@]}"
    [ ${#targets[@]} -eq 0 ] || targets=(--target "${targets[@]}")
    cmake --build "$build" -j "$(nproc)" "${targets[@]}"
}

# use_wine_prefix BUILD: makes the build tree's private Wine prefix once; every
# Wine program this shell starts from here on runs in it.
use_wine_prefix() {
    local build
    build=$(cd "$1" && pwd)
    "$root/scripts/wine-prefix" "$build"
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=${WINEDEBUG:--all}
}

# start_wine_server LOG: one Wine server for all the programs that follow,
# which saves starting one for each; ended at exit when it was started here.
# It reports to LOG: it dumps its objects each time a port it holds hangs up,
# which happens whenever a null-modem pair stops. Wine starts its background
# services with the first program; started here, they do not hold the output
# pipes of a later program open.
start_wine_server() {
    if wineserver -p >"$1" 2>&1; then
        at_exit stop_wine_server
    fi
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
}

stop_wine_server() {
    wineserver -k
    wineserver -w
}

# start_null_modem BUILD N: the null-modem pair COMn <-> COM1n, stopped at exit.
start_null_modem() {
    null_modem_build=$1
    "$root/scripts/nullmodem" start "$1" "$2"
    at_exit stop_null_modem
}

stop_null_modem() {
    "$root/scripts/nullmodem" stop "$null_modem_build"
}

simulator_pid=""

# start_simulator BUILD PORT LOG [OPTION ...]: tarvek-sim plays the device on
# PORT, the partner end of a null-modem pair, and writes every line to LOG; its
# own output goes to a file beside LOG. Waits until it plays.
start_simulator() {
    local build=$1 port=$2 log=$3
    local output="${log%.log}.out"
    shift 3
    rm -f "$log"
    wine "$build/tools/tarvek-sim/tarvek-sim.exe" "$port" --log "$(winepath -w "$log")" "$@" \
        >"$output" 2>&1 </dev/null &
    simulator_pid=$!
    at_exit stop_simulator
    if ! wait_until 60 file_has "$log" "playing the Tarvek device"; then
        cat "$output" >&2
        fail "the device simulator did not start"
    fi
}

# Ctrl+C ends the simulator, as the end of its line does.
stop_simulator() {
    [ -n "$simulator_pid" ] || return 0
    kill -INT "$simulator_pid" 2>/dev/null || true
    wait_until 10 process_gone "$simulator_pid" || kill "$simulator_pid" 2>/dev/null || true
    wait "$simulator_pid" 2>/dev/null || true
    simulator_pid=""
}

# wait_until SECONDS CHECK [ARGUMENT ...]: true as soon as CHECK succeeds,
# false when it has not within SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

process_gone() { ! kill -0 "$1" 2>/dev/null; }
file_has() { grep -q "$2" "$1" 2>/dev/null; }

exit_actions=()

# at_exit ACTION: runs the command ACTION when the command ends (Ctrl+C
# included), before the actions added earlier, so that what started last stops
# first. An action is kept once.
at_exit() {
    local action
    for action in "${exit_actions[@]}"; do
        [ "$action" != "$1" ] || return 0
    done
    exit_actions=("$1" "${exit_actions[@]}")
    trap end_started EXIT
    trap 'exit 130' INT TERM
}

# end_started: runs the exit actions now and forgets them.
end_started() {
    local action
    for action in "${exit_actions[@]}"; do
        eval "$action" || true
    done
    exit_actions=()
}
