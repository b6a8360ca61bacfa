#!/usr/bin/env bash
# What the empty window costs while nobody uses it, and how soon it shows itself: the CPU time
# of the fendry process over SECONDS seconds with its animations, with FENDRY_REDUCE_MOTION=1
# and while minimised, and the time from launch to the first frame it draws, for a first launch
# (nothing in the shader cache) and for later ones. On a virtual X display (Xvfb), where Mesa
# renders in software, as on a machine without a graphics driver; minimising needs a window
# manager (Debian: openbox), without one that measurement is left out.
#
# Usage: bench/idle-and-first-frame.sh
# Environment: FENDRY (build/app/fendry), SECONDS_IDLE (10), LAUNCHES (5)
set -euo pipefail

fendry=${FENDRY:-$(dirname "$0")/../build/app/fendry}
seconds=${SECONDS_IDLE:-10}
launches=${LAUNCHES:-5}

die() { printf 'error: %s\n' "$*" >&2; exit 1; }
[[ -x $fendry ]] || die "fendry not found at $fendry (build it or set FENDRY)"
for v in SECONDS_IDLE="$seconds" LAUNCHES="$launches"; do
    [[ ${v#*=} =~ ^[1-9][0-9]*$ ]] || die "${v%%=*} must be a positive integer, got '${v#*=}'"
done
for tool in Xvfb xdotool python3; do
    command -v $tool >/dev/null || die "$tool not found (Debian: xvfb, xdotool, python3)"
done

home=$(mktemp -d "${TMPDIR:-/tmp}/fendry-idle-bench.XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of our own: the first free number from 90 on.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
xserver=$!
export DISPLAY=:$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
window_manager=0
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    window_manager=1
    sleep 0.5
fi

# Each launch gets settings, a runtime folder (so it never hands over to a running Fendry) and
# a cache of its own unless told to share one.
fresh_home() {
    local dir
    dir=$(mktemp -d "$home/launch.XXXXXX")
    mkdir -m 0700 "$dir/config" "$dir/runtime" "$dir/cache"
    echo "$dir"
}

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# idle LABEL [ENV=VALUE...]: percent of one core the empty window takes over the idle seconds.
idle() {
    local label=$1 dir pid before after xbefore xafter
    shift
    dir=$(fresh_home)
    env XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" XDG_CACHE_HOME="$dir/cache" \
        "$@" "$fendry" >/dev/null 2>&1 &
    pid=$!
    pids+=("$pid")
    sleep 3  # past the first frame and the start of the newsletter's delay
    if [[ $label == *minimised* ]]; then
        xdotool search --sync --onlyvisible --pid "$pid" --name '^Fendry$' windowminimize >/dev/null
        sleep 1
    fi
    before=$(cpu_ticks "$pid"); xbefore=$(cpu_ticks "$xserver")
    sleep "$seconds"
    after=$(cpu_ticks "$pid"); xafter=$(cpu_ticks "$xserver")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    awk -v l="$label" -v a="$((after - before))" -v x="$((xafter - xbefore))" -v t="$ticks" \
        -v s="$seconds" 'BEGIN { printf "  %-34s %5.1f %% of a core (the X server: %.1f %%)\n",
                                 l, 100 * a / t / s, 100 * x / t / s }'
}

# first_frame CACHE: seconds from launch to the first frame drawn, which Qt Quick's render loop
# reports when QSG_RENDER_TIMING is set.
first_frame() {
    local dir=$1
    XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime" XDG_CACHE_HOME="$dir/cache" \
        QSG_RENDER_TIMING=1 python3 - "$fendry" <<'EOF'
import subprocess, sys, time
start = time.monotonic()
app = subprocess.Popen([sys.argv[1]], stderr=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True)
for line in app.stderr:
    if "frame rendered" in line:
        print("%.3f" % (time.monotonic() - start))
        break
app.terminate()
app.wait()
EOF
}

echo "fendry: $fendry"
echo "Idle, the empty window, over $seconds s:"
idle "with its animations"
idle "with FENDRY_REDUCE_MOTION=1" FENDRY_REDUCE_MOTION=1
if ((window_manager)); then
    idle "with its animations, minimised"
else
    echo "  minimised: left out, no window manager (Debian: openbox)"
fi

echo "Launch to first frame ($launches launches each), in seconds:"
first=()
later=()
shared=$(fresh_home)
first_frame "$shared" >/dev/null  # fills the shared cache, as a first launch would
for _ in $(seq "$launches"); do
    first+=("$(first_frame "$(fresh_home)")")
    later+=("$(first_frame "$shared")")
done
summary() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
    printf "median %.3f, best %.3f, worst %.3f\n", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
echo "  first launch (empty shader cache): $(summary "${first[@]}")"
echo "  later launches:                    $(summary "${later[@]}")"
