#!/bin/sh
# Measures what the program costs beyond Qt itself: start-up against two floors (a bare window and
# the same widgets without data or logic) on a virtual X display, instructions to the first frame
# under callgrind, and single clicks against one plain write of the same text.
#   sh scripts/bench.sh [ROUNDS]     (default 15 rounds of the three programs, in rotating order)
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $RUN_PACKAGES $BENCH_PACKAGES

rounds=${1:-15}
cmake --preset default >/dev/null
cmake --build --preset default --target bench_krivoklyun bench_bare_window bench_widget_floor \
    startup_bench bench_clicks >/dev/null
bench=build/default/tests/bench

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
export XDG_RUNTIME_DIR="$scratch"
# No session bus here: without one, Qt forks dbus-launch at start-up, and that child would be timed
# and counted too. On a desktop the bus is there; here every program is spared the same attempt.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date -u +%Y-%m-%d)"
echo

xvfb-run -a -s "-screen 0 800x600x24" sh -s "$bench" "$rounds" "$scratch" <<'SCRIPT'
bench=$1 rounds=$2 scratch=$3
"$bench/startup_bench" "$rounds" bare="$bench/bench_bare_window" \
    floor="$bench/bench_widget_floor" krivoklyun="$bench/bench_krivoklyun" 2>/dev/null
echo
# Instructions from exec to the first frame, each program counted twice to show they repeat.
for name in bare_window widget_floor krivoklyun; do
    for run in 1 2; do
        mkdir "$scratch/$name.$run"
        valgrind --tool=callgrind --callgrind-out-file="$scratch/$name.$run/out" \
            "$bench/bench_$name" >/dev/null 2>&1
        grep -E '^(summary|totals):' "$scratch/$name.$run/out" | head -1 |
            sed "s/^[a-z]*: */$name /"
    done
done | awk '
    { sum[$1] += $2; runs[$1] = runs[$1] " " $2 }
    END {
        bare = sum["bare_window"] / 2; floor = sum["widget_floor"] / 2; real = sum["krivoklyun"] / 2
        printf "| instructions to first frame (callgrind) | bare | floor | krivoklyun | ÷ bare | ÷ floor |\n"
        printf "|---|---:|---:|---:|---:|---:|\n"
        printf "| mean of 2 | %.1f M | %.1f M | %.1f M | %.3f | %.3f |\n", bare / 1e6, floor / 1e6, real / 1e6, real / bare, real / floor
        printf "\nruns: bare%s; floor%s; krivoklyun%s\n", runs["bare_window"], runs["widget_floor"], runs["krivoklyun"]
    }'
SCRIPT

echo
echo "One click through the real widgets, and one plain write of the text it ends with:"
QT_QPA_PLATFORM=offscreen "$bench/bench_clicks" 2>/dev/null | grep -A1 '^RESULT'
