#!/usr/bin/env python3
"""Start-up benchmark: Kestrune against a bare Qt window of the same size, under one Xvfb.

Runs the two programs alternately, measures the time from process start to the first painted
frame and the peak resident memory of each run, and prints medians and ratios.
Usage: bench/startup.py BUILD_DIR [RUNS]   (run inside xvfb-run, see the README)
"""
import os
import statistics
import subprocess
import sys
import time


def run_once(program):
    start = time.time_ns()
    child = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    output = child.stdout.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        sys.exit(f"{program} exited with status {status}")
    frame_ns = int(next(line.split()[1] for line in output.splitlines() if line.startswith("first-frame-ns")))
    return (frame_ns - start) / 1e6, usage.ru_maxrss / 1024


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    programs = {"kestrune": f"{build}/bench/kestrune_bench_probe", "bare Qt": f"{build}/bench/kestrune_bench_bare"}
    results = {name: [] for name in programs}
    for name, program in programs.items():  # warm the page cache once
        run_once(program)
    for _ in range(runs):
        for name, program in programs.items():
            results[name].append(run_once(program))
    medians = {}
    for name, samples in results.items():
        ms = statistics.median(s[0] for s in samples)
        rss = statistics.median(s[1] for s in samples)
        medians[name] = (ms, rss)
        print(f"{name:9s} first frame {ms:7.1f} ms   peak RSS {rss:6.1f} MiB   ({runs} runs, medians)")
    k, b = medians["kestrune"], medians["bare Qt"]
    print(f"ratio     first frame {k[0] / b[0]:.2f}x        peak RSS {k[1] / b[1]:.2f}x")


if __name__ == "__main__":
    main()
