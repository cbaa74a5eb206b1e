#!/usr/bin/env bash
# Download benchmark: downloads a 64 KB application image into a throttled
# tarvoterm at 9600, 19200 and 38400 baud and compares tarvoxfer's wall time
# with the wire-time bound (every byte that crossed the line, either way, at
# ten bits per byte at the rate in force when it moved, as the terminal
# counted them), and reports tarvoxfer's own processor time.
#
# Usage: transfer_bench.sh [--quick] [--runs N] [--rates LIST] [--pin CPU] [--out FILE.md]
#                          [BUILD_DIR]
#
#   BUILD_DIR     build tree holding bin/tarvoxfer and bin/tarvoterm
#                 (default: ./build)
#   --quick       a 4 KB image and one run per rate (about half a minute)
#   --runs N      timed runs per rate (default 2; a 9600 run takes ~3 minutes)
#   --rates LIST  the rates to measure, e.g. "19200 38400" (default: all three)
#   --pin CPU     run tarvoterm and tarvoxfer on that one processor (taskset):
#                 each wake-up then stays on one processor, which on virtual
#                 machines spares the cross-processor interrupts that
#                 otherwise lengthen every exchange and inflate system time
#   --out FILE    where the markdown table goes (default:
#                 BUILD_DIR/transfer_bench.md)
#
# Goal: wall time within 5 % of the bound, processor time (user + system)
# under 2 % of the wall time. Exit status: 0 measured (goal met or not),
# 1 a download or the terminal failed, 2 bad usage or missing programs.
set -euo pipefail

SELF="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")"
readonly SELF
readonly IMAGE_GENERATOR="${SELF%/*}/synthetic_image.awk"
readonly FULL_IMAGE_BYTES=65024   # 2,032 records of 32 bytes: close to the 65,535-byte limit
readonly QUICK_IMAGE_BYTES=4096
readonly TERMINAL_MODEL=VK81
readonly TERMINAL_START_BAUD=9600
readonly TERMINAL_IDLE_LIMIT=60   # seconds without a byte before a stranded terminal gives up
readonly GOAL_WALL_RATIO=1.05
readonly GOAL_CPU_PERCENT=2

die() {
    echo "transfer_bench: $*" >&2
    exit 2
}

# ---------------------------------------------------------------------------
# Terminal handling. hyperfine calls "--start-terminal DIR [CPU]" as its prepare
# command before every timed run: it starts a throttled tarvoterm in the
# background, waits for its device, and points DIR/port at it, so that the
# timed command is tarvoxfer alone (the terminal is not its child, and its
# processor time is not counted).

# Waits until the terminal whose pid is in DIR/terminal.pid has ended; it
# ends by itself shortly after the reset. Stops it if it hangs on.
wait_for_terminal_exit() {
    local dir=$1 pid tries
    [[ -f $dir/terminal.pid ]] || return 0
    pid=$(<"$dir/terminal.pid")
    for ((tries = 0; tries < 1000; tries++)); do
        kill -0 "$pid" 2>/dev/null || { rm -f "$dir/terminal.pid"; return 0; }
        sleep 0.01
    done
    echo "transfer_bench: tarvoterm $pid did not end; stopping it" >&2
    kill "$pid" 2>/dev/null || true
    rm -f "$dir/terminal.pid"
}

start_terminal() {
    local dir=$1 cpu=${2:-} run pty tries
    local term="$dir/tarvoterm"
    local pin=()
    [[ -z $cpu ]] || pin=(taskset -c "$cpu")
    wait_for_terminal_exit "$dir"
    run=$(( $(cat "$dir/runs" 2>/dev/null || echo 0) + 1 ))
    echo "$run" >"$dir/runs"
    "${pin[@]}" "$term" --model "$TERMINAL_MODEL" --version 1.00 --baud "$TERMINAL_START_BAUD" --throttle \
        --idle-limit "$TERMINAL_IDLE_LIMIT" --transcript "$dir/run-$run.json" \
        </dev/null >"$dir/run-$run.out" 2>"$dir/run-$run.err" &
    echo $! >"$dir/terminal.pid"
    for ((tries = 0; tries < 500; tries++)); do
        pty=$(awk '/^PTY /{ print $2; exit }' "$dir/run-$run.out")
        if [[ -n $pty ]]; then
            ln -sfn "$pty" "$dir/port"
            return 0
        fi
        sleep 0.01
    done
    echo "transfer_bench: tarvoterm did not report its device" >&2
    exit 1
}

if [[ ${1:-} == --start-terminal ]]; then
    start_terminal "$2" "${3:-}"
    exit 0
fi

# ---------------------------------------------------------------------------
# Reading the results.

# From a transcript: "hostBytes terminalBytes boundSeconds reset" over all
# line rates the session used.
transcript_traffic() {
    awk '
        /"reset": true/ { reset = "yes" }
        /"baud": [0-9]+, "fromHost": [0-9]+, "toHost": [0-9]+/ {
            line = $0
            gsub(/[^0-9]+/, " ", line)
            split(line, n, " ")
            if (n[1] > 0) bound += (n[2] + n[3]) * 10 / n[1]
            host += n[2]; terminal += n[3]
        }
        END { printf "%d %d %.6f %s\n", host, terminal, bound, reset ? reset : "no" }
    ' "$1"
}

# The same per rate, as "9600: 50 / 4 bytes, 38400: ..." for the report.
transcript_rates() {
    awk '
        /"baud": [0-9]+, "fromHost": [0-9]+, "toHost": [0-9]+/ {
            line = $0
            gsub(/[^0-9]+/, " ", line)
            split(line, n, " ")
            text = text (text ? ", " : "") n[1] ": " n[2] " / " n[3]
        }
        END { print text }
    ' "$1"
}

# One number from the first result of a hyperfine JSON export.
hyperfine_value() {
    awk -v key="\"$2\":" '$1 == key { v = $2; sub(/,$/, "", v); print v; exit }' "$1"
}

# ---------------------------------------------------------------------------
# Main program.

quick=no
runs=2
rates="9600 19200 38400"
cpu=""
out=""
build_dir=""
while (($#)); do
    case $1 in
        --quick) quick=yes ;;
        --runs)
            [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || die "--runs needs a positive number"
            runs=$2
            shift
            ;;
        --rates)
            [[ ${2:-} =~ ^[[:space:]]*(9600|19200|38400)([[:space:]]+(9600|19200|38400))*[[:space:]]*$ ]] ||
                die "--rates takes 9600, 19200 and/or 38400"
            rates=$2
            shift
            ;;
        --pin)
            [[ ${2:-} =~ ^[0-9]+$ ]] || die "--pin needs a processor number"
            cpu=$2
            shift
            ;;
        --out)
            [[ -n ${2:-} ]] || die "--out needs a file name"
            out=$2
            shift
            ;;
        -h | --help)
            sed -n '2,/^set -euo/{ /^set -euo/d; s/^# \{0,1\}//; p }' "$SELF"
            exit 0
            ;;
        -*) die "unknown option $1 (try --help)" ;;
        *)
            [[ -z $build_dir ]] || die "one build folder only"
            build_dir=$1
            ;;
    esac
    shift
done
build_dir=${build_dir:-build}
[[ -d $build_dir ]] || die "no build folder $build_dir"
build_dir=$(cd "$build_dir" && pwd)
xfer="$build_dir/bin/tarvoxfer"
term="$build_dir/bin/tarvoterm"
[[ -x $xfer && -x $term ]] || die "$build_dir/bin lacks tarvoxfer or tarvoterm: build first"
[[ -z $cpu ]] || command -v taskset >/dev/null || die "--pin needs taskset (util-linux)"
[[ -z $cpu ]] || taskset -c "$cpu" true 2>/dev/null || die "cannot run on processor $cpu"
command -v hyperfine >/dev/null || die "hyperfine is not installed (scripts/install-deps.sh)"
[[ -f $IMAGE_GENERATOR ]] || die "missing $IMAGE_GENERATOR"
out=${out:-$build_dir/transfer_bench.md}

image_bytes=$FULL_IMAGE_BYTES
if [[ $quick == yes ]]; then
    image_bytes=$QUICK_IMAGE_BYTES
    runs=1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/transfer_bench.XXXXXX")
cleanup() {
    local dir
    for dir in "$work"/rate-*; do
        [[ -d $dir ]] && wait_for_terminal_exit "$dir"
    done
    rm -rf "$work"
}
trap cleanup EXIT

image="$work/app.hex"
awk -v bytes="$image_bytes" -v model="$TERMINAL_MODEL" -v nodes=1000 -f "$IMAGE_GENERATOR" >"$image"
image_file_bytes=$(wc -c <"$image")
# tarvoxfer keeps its port setting in the XDG config folder: keep the
# benchmark's out of the user's.
export XDG_CONFIG_HOME="$work/config"

echo "Image: $image_bytes data bytes ($image_file_bytes-byte HEX file), model $TERMINAL_MODEL;" \
    "terminal starts at $TERMINAL_START_BAUD baud; $runs run(s) per rate${cpu:+; both on processor $cpu}"
table="| Rate | Host→terminal bytes | Terminal→host bytes | Wire-time bound (s) | Wall mean (s) | Wall/bound | tarvoxfer CPU user+sys (s) | CPU/wall | Goal |"$'\n'
table+="|---|---|---|---|---|---|---|---|---|"$'\n'
failed=no

for rate in $rates; do
    case $rate in
        9600) cap=-6 ;;
        19200) cap=-7 ;;
        38400) cap=-8 ;;
    esac
    dir="$work/rate-$rate"
    mkdir -p "$dir"
    ln -s "$term" "$dir/tarvoterm"
    echo
    echo "== $rate baud (tarvoxfer $cap)"
    if ! hyperfine --shell=none --runs "$runs" --style basic \
        --prepare "bash '$SELF' --start-terminal '$dir' $cpu" \
        --export-json "$dir/hyperfine.json" \
        "${cpu:+taskset -c $cpu }'$xfer' '$image' -C -A1 '-P$dir/port' $cap"; then
        echo "transfer_bench: a download at $rate baud failed; terminal output in:" >&2
        tail -n 5 "$dir"/run-*.err >&2 || true
        failed=yes
        break
    fi
    wait_for_terminal_exit "$dir"

    # The bound of every run (they should be equal: no NAKs, no time-outs).
    bounds=()
    for ((run = 1; run <= runs; run++)); do
        transcript="$dir/run-$run.json"
        [[ -f $transcript ]] || { echo "transfer_bench: no transcript of run $run" >&2; failed=yes; break 2; }
        read -r host_bytes terminal_bytes bound reset < <(transcript_traffic "$transcript")
        if [[ $reset != yes ]]; then
            echo "transfer_bench: run $run at $rate baud did not reach the reset" >&2
            failed=yes
            break 2
        fi
        bounds+=("$bound")
    done
    per_rate=$(transcript_rates "$dir/run-1.json")
    bound_min=$(printf '%s\n' "${bounds[@]}" | sort -g | head -n 1)
    bound_max=$(printf '%s\n' "${bounds[@]}" | sort -g | tail -n 1)
    bound_mean=$(printf '%s\n' "${bounds[@]}" | awk '{ s += $1 } END { printf "%.6f", s / NR }')

    json="$dir/hyperfine.json"
    wall=$(hyperfine_value "$json" mean)
    stddev=$(hyperfine_value "$json" stddev)
    user=$(hyperfine_value "$json" user)
    system=$(hyperfine_value "$json" system)

    read -r ratio cpu_seconds cpu_percent goal < <(awk -v w="$wall" -v b="$bound_mean" -v u="$user" \
        -v s="$system" -v gr="$GOAL_WALL_RATIO" -v gc="$GOAL_CPU_PERCENT" 'BEGIN {
            r = w / b; c = u + s; p = 100 * c / w
            printf "%.4f %.3f %.2f %s\n", r, c, p, (r <= gr && p < gc) ? "met" : "missed"
        }')
    spread=""
    [[ $bound_min == "$bound_max" ]] || spread=" (runs differ: $bound_min to $bound_max s)"
    printf '  image %s data bytes, %s-byte file\n' "$image_bytes" "$image_file_bytes"
    printf '  bytes host→terminal %s, terminal→host %s (per rate, in / out: %s)\n' \
        "$host_bytes" "$terminal_bytes" "$per_rate"
    printf '  wire-time bound %.3f s%s\n' "$bound_mean" "$spread"
    spread="one run"
    [[ $stddev == null ]] || spread=$(printf 'mean of %s, sd %.3f s' "$runs" "$stddev")
    printf '  wall %.3f s (%s), wall/bound %s\n' "$wall" "$spread" "$ratio"
    printf '  tarvoxfer CPU %s s (user %.3f, system %.3f) = %s %% of wall: goal %s\n' \
        "$cpu_seconds" "$user" "$system" "$cpu_percent" "$goal"
    table+=$(printf '| %s | %s | %s | %.3f | %.3f | %s | %s | %s %% | %s |' "$rate" "$host_bytes" \
        "$terminal_bytes" "$bound_mean" "$wall" "$ratio" "$cpu_seconds" "$cpu_percent" "$goal")$'\n'
done

{
    echo "Download of a $image_bytes-byte image ($image_file_bytes-byte HEX file, model" \
        "$TERMINAL_MODEL) into a throttled tarvoterm starting at $TERMINAL_START_BAUD baud;" \
        "$runs run(s) per rate${cpu:+; tarvoterm and tarvoxfer both on processor $cpu}; $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo "Goal: wall/bound ≤ $GOAL_WALL_RATIO and CPU/wall < $GOAL_CPU_PERCENT %."
    echo
    printf '%s' "$table"
} >"$out"
echo
cat "$out"
echo "(table written to $out)"
[[ $failed == no ]] || exit 1
