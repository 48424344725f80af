#!/bin/sh
# Measures what the program costs beyond Qt itself: start-up against two floors (a bare window and
# the same widgets without data or logic) on a virtual X display, instructions to the first frame
# under callgrind, and single clicks against one plain write of the same text. Then, under Wine on
# a virtual X display, the Windows program's start-up against a bare native window and the same
# native controls without data or logic. Then the browser's page in headless Chromium against the
# same page with no script, Lighthouse's performance score of it as a phone and as a desktop
# computer, and its files' sizes.
#   sh scripts/bench.sh [ROUNDS] [linux|windows|web]    or    sh scripts/bench.sh linux|windows|web
# (default 15 rounds of the programs, in alternating order; every part)
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

case ${1:-} in
linux | windows | web) set -- 15 "$1" ;;
esac
rounds=${1:-15}
parts=${2:-linux windows web}
wants() {
    case " $parts " in *" $1 "*) return 0 ;; esac
    return 1
}
case $parts in
linux | windows | web | "linux windows web") ;;
*)
    echo "usage: sh scripts/bench.sh [ROUNDS] [linux|windows|web]" >&2
    exit 2
    ;;
esac
! wants linux || ensure_packages $RUN_PACKAGES $BENCH_PACKAGES
! wants windows || ensure_packages $RUN_PACKAGES $BENCH_PACKAGES $WINDOWS_PACKAGES
if wants web; then
    ensure_packages $WEB_PACKAGES chromium
    ensure_npm
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date -u +%Y-%m-%d)"

if wants linux; then
echo
cmake --preset default >/dev/null
cmake --build --preset default --target bench_krivoklyun bench_bare_window bench_widget_floor \
    startup_bench bench_clicks >/dev/null
bench=build/default/tests/bench

export XDG_RUNTIME_DIR="$scratch"
# No session bus here: without one, Qt forks dbus-launch at start-up, and that child would be timed
# and counted too. On a desktop the bus is there; here every program is spared the same attempt.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus"

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
fi

if wants windows; then
# Windows: each build's program against two floors built the same way, a bare native window of the
# same size and colour and the same controls with placeholder texts, started in rotating order in a
# fresh Wine prefix with a running wineserver, as on a PC where Windows is already up.
. tests/wine/env.sh
export WINEPREFIX="$scratch/wine-prefix"
sh tests/wine/prefix.sh "$WINEPREFIX"
for preset in windows-x86 windows-x64; do
    echo
    echo "$preset, under Wine $(wine --version) on Xvfb:"
    if [ "$preset" = windows-x86 ] && [ "$KRIVOKLYUN_WINE32_RUNS" = no ]; then
        echo "skipped: $KRIVOKLYUN_WINE32_WHY, so Wine cannot run the 32-bit build"
        continue
    fi
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset --target krivoklyun bench_bare_window_win32 \
        bench_control_floor_win32 startup_bench_win32 >/dev/null
    bench=build/$preset/tests/bench/win32
    xvfb-run -a -s "-screen 0 1024x768x24" sh -s "$bench" "$rounds" build/$preset "$scratch" <<'SCRIPT'
. tests/wine/env.sh
bench=$1 rounds=$2 build=$3 scratch=$4
windows_path() { wine winepath -w "$1" | tr -d '\r'; }
wineserver -p
wine "$bench/startup_bench_win32.exe" "$rounds" \
    "bare=$(windows_path "$bench/bench_bare_window_win32.exe")" \
    "floor=$(windows_path "$bench/bench_control_floor_win32.exe")" \
    "krivoklyun=$(windows_path "$build/window/win32/krivoklyun.exe")" >"$scratch/table"
status=$?
wineserver -k
tr -d '\r' <"$scratch/table"
exit $status
SCRIPT
done
fi

if wants web; then
    echo
    cmake --preset web >/dev/null
    cmake --build --preset web --target site expectations >/dev/null
    npm ci --prefix build/web/tests/web/npm --no-audit --no-fund --loglevel=error >/dev/null
    node tests/bench/web/startup.js build/web/site "$rounds" build/web/tests/web/npm/node_modules
    echo
    node tests/bench/web/lighthouse.js build/web/site build/web/tests/web/npm/node_modules
    echo
    echo "| file | raw | gzip -9 |"
    echo "|---|---:|---:|"
    for file in build/web/site/*; do
        echo "| $(basename "$file") | $(wc -c <"$file") B | $(gzip -9c "$file" | wc -c) B |"
    done
    echo "| all | $(cat build/web/site/* | wc -c) B | $(for f in build/web/site/*; do gzip -9c "$f" | wc -c; done | awk '{ s += $1 } END { print s }') B |"
fi
