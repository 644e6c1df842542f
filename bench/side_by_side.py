#!/usr/bin/env python3
"""Whole programs side by side, in alternating runs (the machine is shared and
noisy: only ratios within one run mean much).

    side_by_side.py RUNS NAME=COMMAND [NAME=COMMAND ...]

Runs every command RUNS times (after two warm-up rounds), one after another in
turn, and prints for each the median wall time, the median CPU time (user +
system) and the peak resident memory, then the ratios of the first command to
each of the others. A command is split like a shell line but run without one.
"""
import os
import shlex
import statistics
import subprocess
import sys
import time


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    runs = int(sys.argv[1])
    commands = [argument.split("=", 1) for argument in sys.argv[2:]]
    results = {name: [] for name, _ in commands}
    for round_number in range(runs + 2):
        for name, command in commands:
            start = time.perf_counter()
            process = subprocess.Popen(shlex.split(command), stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(process.pid, 0)
            wall = time.perf_counter() - start
            if status != 0:
                sys.exit(f"{name} failed with status {status}")
            if round_number >= 2:
                results[name].append((wall, usage.ru_utime + usage.ru_stime,
                                      usage.ru_maxrss / 1024))
    summary = {}
    for name, rows in results.items():
        summary[name] = (statistics.median(r[0] for r in rows),
                         statistics.median(r[1] for r in rows), max(r[2] for r in rows))
        wall, cpu, rss = summary[name]
        print(f"{name:14s} wall {wall * 1000:8.1f} ms   cpu {cpu * 1000:8.1f} ms   "
              f"peak {rss:6.1f} MiB")
    first = commands[0][0]
    for name, _ in commands[1:]:
        print(f"{first}/{name}: wall {summary[first][0] / summary[name][0]:.2f}, "
              f"cpu {summary[first][1] / summary[name][1]:.2f}")


if __name__ == "__main__":
    main()
