#!/usr/bin/env bash
# Builds an optimised tree of its own (build-bench/, RelWithDebInfo as the program ships), runs every benchmark
# and prints one table; each figure is the median of several runs, its reference measured in the same runs.
# Usage: bench/run.sh [runs]   (7 runs by default; the machine should be quiet: the load average is printed)
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
runs="${1:-7}"
tree=build-bench

if ! command -v sqlite3 >/dev/null; then
    echo "bench/run.sh: the reference needs the sqlite3 tool (Debian package sqlite3)" >&2
    exit 1
fi

mkdir -p "$tree"
if ! { cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEL_WERROR=ON &&
       cmake --build "$tree" --parallel "$(nproc)" --target benchmarks; } >"$tree/build.log" 2>&1; then
    tail -40 "$tree/build.log" >&2
    echo "bench/run.sh: the build failed; see $tree/build.log" >&2
    exit 1
fi

bin="$tree/bench-bin"
# Qt wants a runtime folder of the user's own; a root shell or a CI job often has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="$(mktemp -d)"
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
before="$(cut -d' ' -f1-3 /proc/loadavg)"
rows="$(
    "$bin/bench_import" "$runs"
    QT_QPA_PLATFORM=offscreen "$bin/bench_series_switch" "$runs"
    QT_QPA_PLATFORM=offscreen "$bin/bench_chart" "$runs"
    "$bin/bench_startup" "$runs"
    "$bin/bench_calc" "$runs"
)"
after="$(cut -d' ' -f1-3 /proc/loadavg)"

echo "Tarvel $(git describe --always --dirty 2>/dev/null || echo '?'), $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores," \
     "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "median of $runs runs; load average before $before, after $after"
echo
printf '%s\n' "$rows" | awk -F'\t' '
    $1 == "row" { n++; for (i = 2; i <= NF; i++) { cell[n, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
    END {
        split("Measure|Tarvel|Reference|Ratio|Target|Met", head, "|")
        for (i = 2; i <= 7; i++) if (length(head[i - 1]) > w[i]) w[i] = length(head[i - 1])
        line = "|"; rule = "|"
        for (i = 2; i <= 7; i++) {
            line = line sprintf(" %-" w[i] "s |", head[i - 1])
            dash = ""; for (k = 0; k < w[i]; k++) dash = dash "-"
            rule = rule " " dash " |"
        }
        print line; print rule
        for (r = 1; r <= n; r++) {
            line = "|"
            for (i = 2; i <= 7; i++) line = line sprintf(" %-" w[i] "s |", cell[r, i])
            print line
        }
    }'
