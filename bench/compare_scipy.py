#!/usr/bin/python3
"""The same calculations in numpy/scipy, timed in the same run as aqualen_bench.

Not part of the program: a yardstick. For each calculation it times the
Python version (reading the text into numbers included) and runs the matching
benchmarks of aqualen_bench, core and end to end through the window, then
prints the medians and the ratios (ours / numpy-scipy).

    /usr/bin/python3 bench/compare_scipy.py BUILD/bench/aqualen_bench [--repetitions 5]

(Debian's python3 with python3-numpy and python3-scipy.)
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import time

import numpy as np
from scipy import stats


def runoff_text(count, seed, decimals, low=None, high=None, lognormal=True):
    rng = np.random.default_rng(seed)
    values = rng.lognormal(4.5, 0.3, count) if lognormal else rng.uniform(low, high, count)
    return "\n".join(f"{v:.{decimals}f}" for v in values) + "\n"


def read(text):
    # One number per line (the separator here is '.'), by numpy's own text
    # parser, the fastest ordinary way (a list of Python strings is ten
    # times slower and would flatter us).
    return np.fromstring(text, dtype=np.float64, sep="\n")


def statistics_calc(text):
    return statistics_of(read(text))


def statistics_of(x):
    n = x.size
    mean = x.mean()
    sd = x.std(ddof=1 if n < 30 else 0)
    cs = stats.skew(x, bias=False)
    r1 = np.corrcoef(x[:-1], x[1:])[0, 1]
    return mean, sd, cs, r1


def correlation_calc(text_x, text_y):
    return correlation_of(read(text_x), read(text_y))


def correlation_of(x, y):
    return stats.pearsonr(x, y)[0]


def rank_sum_calc(text_x, text_y):
    return rank_sum_of(read(text_x), read(text_y))


def rank_sum_of(x, y):
    # Mann-Whitney U with mid-ranks for ties (scipy's own treatment of ties).
    return stats.mannwhitneyu(x, y, alternative="two-sided", method="asymptotic").statistic


def time_median(function, repetitions, *args):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        function(*args)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def bench_medians(binary, pattern, repetitions):
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    out = subprocess.run(
        [binary, f"--benchmark_filter={pattern}", f"--benchmark_repetitions={repetitions}",
         "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
        check=True, capture_output=True, text=True, env=env).stdout
    result = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]
            result[b["run_name"]] = (b["real_time"] * scale, b["cpu_time"] * scale)
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("bench", help="path of aqualen_bench")
    parser.add_argument("--repetitions", type=int, default=5)
    args = parser.parse_args()

    print(f"load average before: {os.getloadavg()}", file=sys.stderr)
    stats_text = runoff_text(1_000_000, 42, 2, 20.0, 900.0, lognormal=False)
    pair_x = runoff_text(65535, 1, 1)
    pair_y = runoff_text(65535, 2, 1)
    python = {
        "statistics, 1,000,000 lines": time_median(statistics_calc, args.repetitions, stats_text),
        "correlation, 65,535 pairs": time_median(correlation_calc, args.repetitions, pair_x, pair_y),
        "rank sum, 65,535 + 65,535": time_median(rank_sum_calc, args.repetitions, pair_x, pair_y),
    }
    # The arithmetic alone, the numbers already read.
    stats_values, x_values, y_values = read(stats_text), read(pair_x), read(pair_y)
    python_compute = {
        "statistics, 1,000,000 lines": time_median(statistics_of, args.repetitions, stats_values),
        "correlation, 65,535 pairs": time_median(correlation_of, args.repetitions, x_values, y_values),
        "rank sum, 65,535 + 65,535": time_median(rank_sum_of, args.repetitions, x_values, y_values),
    }
    ours = bench_medians(
        args.bench,
        "BM_ParseSeriesAndStatisticsReport/1000000$|BM_MainFormStatistics/1000000$|BM_StatisticsReportOnly/1000000$|"
        "BM_CorrelationReport/65535$|BM_CorrelFormRun/65535$|BM_HomogeneityReport/65535$|BM_OdnFormRun/65535/0$",
        args.repetitions)
    # (name, core with reading, window, core arithmetic alone or None)
    pairs = [
        ("statistics, 1,000,000 lines", "BM_ParseSeriesAndStatisticsReport/1000000", "BM_MainFormStatistics/1000000",
         "BM_StatisticsReportOnly/1000000"),
        ("correlation, 65,535 pairs", "BM_CorrelationReport/65535", "BM_CorrelFormRun/65535", None),
        ("rank sum, 65,535 + 65,535", "BM_HomogeneityReport/65535", "BM_OdnFormRun/65535/0", None),
    ]
    print(f"load average after: {os.getloadavg()}", file=sys.stderr)
    print(f"{'calculation':30} {'numpy/scipy':>12} {'core':>16} {'ratio':>6} {'window':>16} {'ratio':>6}")
    print(f"{'':30} {'ms':>12} {'ms wall/cpu':>16} {'':>6} {'ms wall/cpu':>16} {'':>6}")
    nan = (float("nan"),) * 2
    for name, core, window, _ in pairs:
        py = python[name]
        c_wall, c_cpu = ours.get(core, nan)
        w_wall, w_cpu = ours.get(window, nan)
        print(f"{name:30} {py:12.1f} {c_wall:7.1f}/{c_cpu:<8.1f} {c_wall / py:6.2f} "
              f"{w_wall:7.1f}/{w_cpu:<8.1f} {w_wall / py:6.2f}")
    print("Parse included: ratios are wall-clock medians, ours over numpy/scipy, both reading the text.")
    print()
    print(f"{'arithmetic alone':30} {'numpy/scipy':>12} {'core':>16} {'ratio':>6}")
    for name, _, _, compute in pairs:
        py = python_compute[name]
        if compute is None:
            print(f"{name:30} {py:12.1f} {'(no compute-only benchmark)':>23}")
            continue
        c_wall, c_cpu = ours.get(compute, nan)
        print(f"{name:30} {py:12.1f} {c_wall:7.1f}/{c_cpu:<8.1f} {c_wall / py:6.2f}")
    print("Compute only: the numbers already read on both sides.")


if __name__ == "__main__":
    main()
