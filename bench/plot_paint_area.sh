#!/usr/bin/env bash
# bench/plot_paint_area.sh [JSON] [PNG]: draws PaintBoard's CPU time against the painted area from
# game_bench's JSON output, with the frame copy of the same run as a yardstick (once and twice).
# Without a JSON file it runs game_bench from build/test first. Needs python3 and gnuplot.
#   build/test/bench/game_bench --benchmark_repetitions=5 --benchmark_out=paint.json \
#       --benchmark_out_format=json
#   bench/plot_paint_area.sh paint.json bench/paint_area.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
json=${1:-}
png=${2:-$root/bench/paint_area.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "$json" ]; then
    json=$work/game_bench.json
    "$root/build/test/bench/game_bench" --benchmark_filter='FrameMemcpy|PaintBoard' \
        --benchmark_repetitions=5 --benchmark_out="$json" --benchmark_out_format=json >/dev/null
fi

# The median of each benchmark's repetitions (or its single run), CPU time in microseconds:
# "area.dat" holds painted percent, painted pixels and time; "memcpy" the frame copy's time and
# the client area's size in thousands of pixels.
python3 - "$json" "$work" <<'EOF'
import json, statistics, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
times, pixels, frame = {}, {}, 0
for run in runs:
    if run.get("run_type") == "aggregate":
        continue
    name = run["run_name"] if "run_name" in run else run["name"]
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run.get("time_unit", "ns")]
    times.setdefault(name, []).append(run["cpu_time"] * scale)
    if "painted_pixels" in run:
        pixels[name] = run["painted_pixels"]
        frame = run["frame_pixels"]
if "BM_FrameMemcpy" not in times:
    sys.exit("no BM_FrameMemcpy in the JSON")
with open(sys.argv[2] + "/memcpy", "w") as out:
    out.write("%.1f %d\n" % (statistics.median(times["BM_FrameMemcpy"]), frame / 1000))
rows = sorted((int(n.split("/")[1]), pixels[n], statistics.median(t))
              for n, t in times.items() if n.startswith("BM_PaintBoardArea/"))
if not rows:
    sys.exit("no BM_PaintBoardArea runs in the JSON")
with open(sys.argv[2] + "/area.dat", "w") as out:
    for percent, count, time in rows:
        out.write("%d %d %.3f\n" % (percent, count, time))
EOF

read -r memcpy frame <"$work/memcpy"
gnuplot <<EOF
set terminal pngcairo size 800,500 font "Liberation Sans,10"
set output "$png"
set title "PaintBoard on a 1024 x 768 screen against the area marked (CPU time, medians)"
set xlabel "painted area (thousands of pixels; the whole client area is $frame)"
set ylabel "time (microseconds)"
set key top left
set grid
set xrange [0:*]
set yrange [0:*]
plot "$work/area.dat" using (\$2 / 1000):3 with linespoints lw 2 pt 7 title "PaintBoard", \
     $memcpy with lines dt 2 lc rgb "gray40" title "frame memcpy ($memcpy us)", \
     2 * $memcpy with lines dt 3 lc rgb "red" title "twice the frame memcpy"
EOF
echo "wrote $png"
