#!/usr/bin/env bash
# Running costs of Tarvell beside a bare Qt window that rewrites three labels
# every second: time to the first window, CPU time per minute shown (and, for
# Tarvell, hidden in the tray), resident memory.
#   bench/measure_running.sh <build folder> [seconds per phase, default 60]
# Needs xvfb, trayer and xdotool (apt-get install xvfb trayer xdotool).
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
secs=${2:-60}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

export DISPLAY=:93
Xvfb $DISPLAY -screen 0 1280x800x24 >/dev/null 2>&1 &
sleep 1
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 >/dev/null 2>&1 &
sleep 1

# Nanoseconds on the CPU, summed over all threads of the process.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
rss_kib() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
now_ms() { date +%s%3N; }
wait_window() { # name -> ms when mapped
    for _ in $(seq 1 400); do
        if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then
            now_ms
            return 0
        fi
        sleep 0.025
    done
    echo "window '$1' never appeared" >&2
    return 1
}
cpu_ms_per_minute() { # pid seconds
    local a b
    a=$(cpu_ns "$1")
    sleep "$2"
    b=$(cpu_ns "$1")
    awk -v d=$((b - a)) -v s="$2" 'BEGIN {printf "%.1f", d / 1e6 * 60 / s}'
}

# Both programs run side by side and are measured over the same periods,
# so that whatever else the machine does weighs on both alike.
t0=$(now_ms)
"$build/bench/bench_bare_window" >/dev/null 2>&1 &
bare=$!
t1=$(wait_window "Bare window")

# Tarvell, in a program folder of its own that has been set up already, so
# that start-up shows the daily question first.
mkdir -p "$work/program"
cp "$build/mainwindow/tarvell" "$work/program/"
printf '[Date]\r\nStart=2026-10-01 08:00:00\r\n' >"$work/program/plzNoSmoking.ini"
t2=$(now_ms)
"$work/program/tarvell" >/dev/null 2>&1 &
tarvell=$!
t3=$(wait_window "안녕하세요")
# Answer the daily question: "안 피웠어" stands at 260,120 (75 by 25) in the dialog.
dlg=$(xdotool search --onlyvisible --name "안녕하세요" | head -1)
eval "$(xdotool getwindowgeometry --shell "$dlg")"
xdotool mousemove $((X + 297)) $((Y + 132)) click 1
wait_window "Tarvell ver 4.14" >/dev/null
sleep 2

measure_both() { # seconds -> "bare tarvell" in ms per minute
    local a1 a2 b1 b2
    a1=$(cpu_ns $bare)
    a2=$(cpu_ns $tarvell)
    sleep "$1"
    b1=$(cpu_ns $bare)
    b2=$(cpu_ns $tarvell)
    awk -v x=$((b1 - a1)) -v y=$((b2 - a2)) -v s="$1" \
        'BEGIN {printf "%.1f %.1f", x / 1e6 * 60 / s, y / 1e6 * 60 / s}'
}
read -r bare_cpu shown_cpu <<<"$(measure_both "$secs")"
bare_rss=$(rss_kib $bare)
shown_rss=$(rss_kib $tarvell)
# Hide it with a click on its tray icon, the rightmost one in the tray.
xdotool mousemove 1268 788 click 1
sleep 2
if xdotool search --onlyvisible --name "Tarvell ver 4.14" >/dev/null; then
    echo "the window did not hide" >&2
fi
read -r bare_cpu2 hidden_cpu <<<"$(measure_both "$secs")"
hidden_rss=$(rss_kib $tarvell)
kill $tarvell $bare

printf '%-34s %12s %12s\n' "" "bare Qt" "Tarvell"
printf '%-34s %12s %12s\n' "first window shown (ms)" $((t1 - t0)) $((t3 - t2))
printf '%-34s %12s %12s\n' "CPU per minute, shown (ms)" "$bare_cpu" "$shown_cpu"
printf '%-34s %12s %12s\n' "CPU per minute, hidden (ms)" "($bare_cpu2)" "$hidden_cpu"
printf '%-34s %12s %12s\n' "resident memory, shown (KiB)" "$bare_rss" "$shown_rss"
printf '%-34s %12s %12s\n' "resident memory, hidden (KiB)" "-" "$hidden_rss"
echo "(CPU time from the scheduler, all threads; both measured over the same $secs s)"
