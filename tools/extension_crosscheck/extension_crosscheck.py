#!/usr/bin/env python3
"""Cross-checks the extension's regression against SciPy's linregress.

Usage: extension_crosscheck.py EXTENSION_VALUES [--seed S] [--cases N] [--verbose]

EXTENSION_VALUES is the small program built from extension_values.cpp. For
random pairs of series (3 to 400 years; strong, weak, negative and exact
linear relations; values near zero and around large offsets) the slope k,
intercept a, correlation R and slope standard error sigma_k must agree with
scipy.stats.linregress(x, y): slope, intercept, rvalue and stderr. The
standard error there is sqrt((1 - r^2) * s_yy / s_xx / (n - 2)), the same as
(sigma_y / sigma_x) * sqrt((1 - R^2) / (n - 2)) with any common divisor of
the deviations. Agreement to 1e-9 of each figure's natural scale; the slope
error near |R| = 1 also within what a few units in the last place of R
leave in sqrt(1 - R^2) (either side's R is rounded there). Prints
"N passed, M failed" and exits 1 on a mismatch.
"""

import math
import random
import subprocess
import sys

import numpy as np
from scipy import stats

TOLERANCE = 1e-9


def series(rng):
    n = rng.choice([3, 4, 5, 9, 10, 11, 20, 30, 70]) if rng.random() < 0.6 else rng.randint(3, 400)
    scale = 10 ** rng.uniform(-3, 4)
    offset = rng.choice([0.0, 1.0, 100.0, 1e4]) * scale
    x = [offset + scale * rng.gauss(1, 0.3) for _ in range(n)]
    kind = rng.choice(["strong", "weak", "negative", "linear"])
    slope = rng.uniform(0.2, 3) * (-1 if kind == "negative" else 1)
    noise = {"strong": 0.2, "weak": 3.0, "negative": 0.5, "linear": 0.0}[kind]
    y = [5 * scale + slope * (v - offset) + noise * scale * rng.gauss(0, 0.3) for v in x]
    if kind == "linear":
        # Whole numbers keep the relation exact in binary.
        x = [float(round(v)) for v in x]
        y = [2.0 * v + 7 for v in x]
    return x, y


def scales(x, y):
    """The size each figure is judged against."""
    sx, sy = np.std(x), np.std(y)
    spread = sy / sx if sx > 0 else 1.0
    return {"slope": spread, "intercept": abs(np.mean(y)) + spread * abs(np.mean(x)), "rvalue": 1.0,
            "stderr": spread}


def allowance(name, value, reference, scale, n):
    allowed = TOLERANCE * max(scale[name], abs(reference))
    if name == "stderr":
        # 1 - R^2 carries an absolute error of a few ulps of 1, its root the
        # square root of that: sqrt(8 eps) of the spread over sqrt(n - 2).
        allowed = max(allowed, scale["slope"] * math.sqrt(8 * sys.float_info.epsilon / (n - 2)))
    return abs(value - reference) <= allowed


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__)
        return 2
    seed = int(args[args.index("--seed") + 1]) if "--seed" in args else 20261208
    cases = int(args[args.index("--cases") + 1]) if "--cases" in args else 400
    verbose = "--verbose" in args
    rng = random.Random(seed)
    data = []
    while len(data) < cases:
        x, y = series(rng)
        if len(set(x)) > 1 and len(set(y)) > 1:
            data.append((x, y))
    requests = [" ".join([str(len(x))] + [repr(v) for v in x] + [repr(v) for v in y]) for x, y in data]
    answer = subprocess.run([args[0]], input="\n".join(requests) + "\n", capture_output=True, text=True,
                            check=True).stdout.splitlines()
    if len(answer) != len(requests):
        print(f"expected {len(requests)} answers, got {len(answer)}")
        return 1
    passed = failed = 0
    for (x, y), line in zip(data, answer):
        if line.startswith("refused"):
            failed += 1
            print(f"REFUSED n={len(x)}: {line}")
            continue
        k, a, r, sigma_k = (float(v) for v in line.split())
        ref = stats.linregress(x, y)
        scale = scales(x, y)
        mine = {"slope": k, "intercept": a, "rvalue": r, "stderr": sigma_k}
        bad = [name for name, value in mine.items()
               if not allowance(name, value, getattr(ref, name), scale, len(x))]
        if bad:
            failed += 1
            print(f"MISMATCH n={len(x)} {bad}: ours {mine} against {ref}")
        else:
            passed += 1
        if verbose:
            print(f"n={len(x)}: {line}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
