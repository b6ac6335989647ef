#!/usr/bin/env bash
# Runs every benchmark and prints one table: each figure beside its baseline,
# measured in the same run. Usage: bench/run.sh [build folder]   (needs python3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target bench_startup_tool bench_startup_baseline bench_inprocess \
    bench_hostile bench_liveserver >/dev/null
export QT_QPA_PLATFORM=offscreen

python3 - "$build" <<'PY'
import os, statistics, subprocess, sys, time

build = sys.argv[1]
rows = []

def start(program):
    """Wall time and peak resident memory (KiB) of one whole process."""
    began = time.perf_counter()
    child = subprocess.Popen([os.path.join(build, "bench", program)],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        sys.exit(f"{program} failed with status {status}")
    return time.perf_counter() - began, usage.ru_maxrss

tool, base = [], []
for _ in range(2):  # warm the file cache first
    start("bench_startup_tool"); start("bench_startup_baseline")
for _ in range(15):  # alternate, so drift hits both alike
    tool.append(start("bench_startup_tool"))
    base.append(start("bench_startup_baseline"))
rows.append(("start-up, whole process", statistics.median(t for t, _ in tool),
             statistics.median(t for t, _ in base), "ratio", 1.15, "s"))
rows.append(("peak memory of start-up", statistics.median(m for _, m in tool),
             statistics.median(m for _, m in base), "ratio", 1.3, "KiB"))

for program in ("bench_inprocess", "bench_hostile", "bench_liveserver"):
    out = subprocess.run([os.path.join(build, "bench", program)],
                         check=True, stdout=subprocess.PIPE, text=True).stdout
    for line in out.splitlines():
        if line.startswith("row\t"):
            # what, project, baseline, kind, target, and the unit where not seconds
            _, what, project, baseline, kind, target, *unit = line.split("\t")
            rows.append((what, float(project), float(baseline), kind, float(target),
                         unit[0] if unit else "s"))

def show(value, unit):
    if value != value:  # nan: no baseline
        return "-"
    if unit == "KiB":
        return f"{value / 1024:.1f} MiB"
    return f"{value * 1e6:.2f} µs" if value < 1e-3 else f"{value * 1e3:.2f} ms"

print(f"{'Figure':46} {'Project':>12} {'Baseline':>12} {'Ratio':>7} {'Target':>14} Holds")
for what, project, baseline, kind, target, unit in rows:
    ratio = project / baseline if baseline == baseline else float("nan")
    holds = ratio <= target if kind == "ratio" else project <= target
    target_text = f"<= {target:g}x" if kind == "ratio" else f"<= {show(target, unit)}"
    ratio_text = f"{ratio:.2f}" if ratio == ratio else "-"
    print(f"{what:46} {show(project, unit):>12} {show(baseline, unit):>12} {ratio_text:>7} "
          f"{target_text:>14} {'yes' if holds else 'NO'}")
PY
