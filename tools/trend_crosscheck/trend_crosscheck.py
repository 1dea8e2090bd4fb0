#!/usr/bin/python3
"""aqualen-cli trend against SciPy on random series without ties: Kendall's
tau (from S), Spearman's rho and its p, and the Mann-Kendall p, which is
SciPy's asymptotic Kendall p once its continuity correction is undone.

Usage: trend_crosscheck.py AQUALEN_CLI"""

import subprocess
import sys

import numpy as np
from scipy import stats


def report(cli, values):
    text = "\n".join(f"{v:.6f}" for v in values) + "\n"
    out = subprocess.run([cli, "trend", "--decimal", "."], input=text, capture_output=True,
                         text=True, check=True).stdout
    fields = {}
    for line in out.splitlines():
        label, _, rest = line.partition("\t")
        fields[label] = rest.split("\t")
    return fields


def main():
    cli = sys.argv[1]
    rng = np.random.default_rng(20240817)
    failures = 0
    for case in range(60):
        n = int(rng.integers(10, 400))
        values = rng.gamma(3.0, 40.0, n) + rng.normal(0, 1) * np.arange(n) * 0.2
        fields = report(cli, values)
        s = int(fields["Манн–Кендалл S:"][0])
        tau = stats.kendalltau(values, np.arange(n)).statistic
        rho, p_rho = stats.spearmanr(np.arange(n), values)
        var = n * (n - 1) * (2 * n + 5) / 18
        z = (s - np.sign(s)) / np.sqrt(var)
        p_mk = 2 * stats.norm.sf(abs(z))
        checks = [
            ("tau", s / (n * (n - 1) / 2), tau, 1e-12),
            ("rho", float(fields["Спирмен ρ:"][0]), rho, 5.1e-4),
            ("p(rho)", float(fields["Спирмен ρ:"][1][4:]), p_rho, 5.1e-4),
            ("p(MK)", float(fields["Манн–Кендалл Z:"][1][4:]), p_mk, 5.1e-4),
            ("Z(MK)", float(fields["Манн–Кендалл Z:"][0]), z, 5.1e-4),
        ]
        for name, ours, theirs, tolerance in checks:
            if abs(ours - theirs) > tolerance:
                failures += 1
                print(f"case {case} n={n}: {name} {ours} against SciPy {theirs}")
    print(f"{failures} differences in 60 series")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
