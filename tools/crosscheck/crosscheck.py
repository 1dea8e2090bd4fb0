#!/usr/bin/env python3
"""Cross-checks aqualen-cli stats / correl / homog against the independent
model in reference_reports.py on seeded, realistic annual runoff series.

Usage: crosscheck.py AQUALEN_CLI [--seed S] [--cases N] [--only stats|correl|homog]
                     [--keep DIR] [--verbose]

Every case writes its series files, runs the command, and compares the exit
status and every line of standard output byte for byte (and the fault text
on standard error). Prints "N passed, M failed" and exits 1 on a mismatch.
A mismatch that the model marks as an extended-precision rounding tie is
counted apart as a tie, not a failure.
"""

import argparse
import math
import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import reference_reports as ref  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
TABLES = os.path.join(HERE, "..", "..", "src", "homog", "critical_tables_data.inc")

EXIT_FOR_OUTCOME = {"Report": 0, "InvalidInput": 1, "DifferentLengths": 1,
                    "Fault": 2, "TooShort": 3}


# --- series generation ---------------------------------------------------------

def value_text(value, decimals, sep, rng, plain=True):
    text = f"{value:.{decimals}f}"
    if not plain:
        # Now and then the other spellings a pane accepts.
        pick = rng.random()
        if pick < 0.15:
            text = "  " + text + " "
        elif pick < 0.2 and decimals > 0 and text.startswith("0."):
            text = text[1:]
        elif pick < 0.25:
            mantissa = f"{value / 1000:.{decimals + 3}f}"
            text = mantissa + rng.choice(["E3", "e3", "E+3", "e+03"])
    return text.replace(".", sep)


def runoff_series(rng, length, base=None, cv=None):
    """Annual runoff: log-normal or gamma-like around 50..5000 m3/s, with some
    lag-one persistence."""
    base = base if base is not None else math.exp(rng.uniform(math.log(50), math.log(5000)))
    cv = cv if cv is not None else rng.uniform(0.05, 0.7)
    rho = rng.choice([0.0, 0.0, 0.2, 0.4, 0.6])
    sigma = math.sqrt(math.log(1 + cv * cv))
    gamma_shape = 1 / (cv * cv)
    use_gamma = rng.random() < 0.4
    values = []
    z = rng.gauss(0, 1)
    for _ in range(length):
        z = rho * z + math.sqrt(1 - rho * rho) * rng.gauss(0, 1)
        if use_gamma:
            v = base * rng.gammavariate(gamma_shape, 1 / gamma_shape)
        else:
            v = base * math.exp(sigma * z - sigma * sigma / 2)
        values.append(max(v, 0.001))
    return values


def correlated_pair(rng, length):
    base1 = math.exp(rng.uniform(math.log(50), math.log(5000)))
    base2 = math.exp(rng.uniform(math.log(50), math.log(5000)))
    r = rng.choice([rng.uniform(-0.95, 0.99), rng.uniform(0.5, 0.999), rng.uniform(0.55, 0.65)])
    cv1, cv2 = rng.uniform(0.05, 0.6), rng.uniform(0.05, 0.6)
    xs, ys = [], []
    for _ in range(length):
        a = rng.gauss(0, 1)
        b = r * a + math.sqrt(max(0.0, 1 - r * r)) * rng.gauss(0, 1)
        xs.append(max(0.001, base1 * (1 + cv1 * a)))
        ys.append(max(0.001, base2 * (1 + cv2 * b)))
    return xs, ys


def texts_of(values, decimals, sep, rng, plain):
    return [value_text(v, decimals, sep, rng, plain) for v in values]


# --- running the program -------------------------------------------------------

class Runner:
    def __init__(self, cli, workdir):
        self.cli = cli
        self.workdir = workdir
        self.count = 0

    def write(self, lines, trailing_newline=True):
        self.count += 1
        path = os.path.join(self.workdir, f"s{self.count}.txt")
        text = "\n".join(lines) + ("\n" if trailing_newline else "")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def run(self, args):
        proc = subprocess.run([self.cli] + args, capture_output=True)
        out = proc.stdout.decode("utf-8", "replace")
        err = proc.stderr.decode("utf-8", "replace")
        lines = out.split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        return proc.returncode, lines, err


def compare(case, rep, status, lines, err):
    """Returns a list of differences (empty when they agree)."""
    problems = []
    expected_status = EXIT_FOR_OUTCOME[rep.outcome if not rep.fault else "Fault"]
    if status != expected_status:
        problems.append(f"exit status {status}, expected {expected_status} ({rep.outcome}, fault={rep.fault})")
    expected_lines = rep.lines
    if lines != expected_lines:
        for i in range(max(len(lines), len(expected_lines))):
            got = lines[i] if i < len(lines) else "<none>"
            want = expected_lines[i] if i < len(expected_lines) else "<none>"
            if got != want:
                problems.append(f"line {i + 1}: got {got!r}, expected {want!r}")
    if rep.fault and rep.fault not in err:
        problems.append(f"fault text {rep.fault!r} not on stderr: {err.strip()!r}")
    return problems


# --- cases ---------------------------------------------------------------------

def stats_cases(rng, count):
    for i in range(count):
        sep = rng.choice([",", "."])
        length = rng.choice([3, 4, 5, 29, 30, rng.randint(3, 150), rng.randint(6, 60)])
        decimals = rng.randint(0, 3)
        values = runoff_series(rng, length)
        if i % 50 == 7:
            values = [values[0]] * length            # constant: Cs is 0/0
        if i % 50 == 17:
            values = [0.0] * length                  # all zero: Cv is 0/0
        texts = texts_of(values, decimals, sep, rng, plain=rng.random() < 0.85)
        yield sep, rng.randint(0, 2), texts


def correl_cases(rng, count):
    for i in range(count):
        sep = rng.choice([",", "."])
        length = rng.choice([3, 4, 5, 29, 30, rng.randint(3, 150), rng.randint(6, 60)])
        xs, ys = correlated_pair(rng, length)
        if i % 60 == 11:
            ys = [ys[0]] * length
        d1, d2 = rng.randint(0, 3), rng.randint(0, 3)
        plain = rng.random() < 0.85
        yield sep, texts_of(xs, d1, sep, rng, plain), texts_of(ys, d2, sep, rng, plain)


def homog_cases(rng, count):
    for i in range(count):
        sep = rng.choice([",", "."])
        n1 = rng.choice([3, 5, 10, 12, 25, 29, 30, 50, 99, 100, 101, rng.randint(3, 120), rng.randint(10, 60)])
        n2 = rng.choice([rng.randint(3, 120), rng.randint(10, 60), n1, 10, 25])
        if max(n1, n2) < 10:
            n2 = rng.randint(10, 120)
        base = math.exp(rng.uniform(math.log(50), math.log(5000)))
        shift = rng.choice([1.0, 1.0, rng.uniform(0.7, 1.4)])
        cv = rng.uniform(0.05, 0.6)
        x = runoff_series(rng, n1, base, cv)
        y = runoff_series(rng, n2, base * shift, cv * rng.uniform(0.6, 1.6))
        decimals = rng.choice([0, 0, 1, 2, 3])   # whole numbers make many equal values
        if i % 40 == 13:
            y = [y[0]] * n2
        if i % 40 == 27 and decimals == 0:
            x = [round(v / 100) * 100 for v in x]
            y = [round(v / 100) * 100 for v in y]
        plain = rng.random() < 0.85
        row = i % 18
        level = (i // 18) % 13 if rng.random() < 0.7 else rng.randint(0, 12)
        yield sep, row, level, texts_of(x, decimals, sep, rng, plain), texts_of(y, decimals, sep, rng, plain)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("cli")
    parser.add_argument("--seed", type=int, default=20240601)
    parser.add_argument("--cases", type=int, default=300, help="cases per report")
    parser.add_argument("--only", choices=["stats", "correl", "homog"])
    parser.add_argument("--tables", default=TABLES)
    parser.add_argument("--keep", help="write the case files here instead of a temporary folder")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()

    fisher, student = ref.load_critical_tables(args.tables)
    rng = random.Random(args.seed)
    passed = failed = ties = 0

    with tempfile.TemporaryDirectory() as tmp:
        workdir = args.keep or tmp
        os.makedirs(workdir, exist_ok=True)
        runner = Runner(args.cli, workdir)

        def record(label, case_args, rep, result):
            nonlocal passed, failed, ties
            status, lines, err = result
            problems = compare(label, rep, status, lines, err)
            if not problems:
                passed += 1
                return
            if rep.near_ties:
                ties += 1
                if args.verbose:
                    print(f"TIE {label} {' '.join(case_args)} near {rep.near_ties}: {problems}")
                return
            failed += 1
            print(f"FAIL {label}: aqualen-cli {' '.join(case_args)}")
            for p in problems[:8]:
                print("   ", p)

        if args.only in (None, "stats"):
            for k, (sep, r1, texts) in enumerate(stats_cases(rng, args.cases)):
                values = [ref.parse_number(t, sep) for t in texts]
                path = runner.write(texts)
                rep = ref.statistics_report(values, r1, sep)
                if rep.fault:
                    rep.outcome = "Fault"
                case_args = ["stats", "--r1", str(r1), "--decimal", sep, path]
                record(f"stats#{k}", case_args, rep, runner.run(case_args))

        if args.only in (None, "correl"):
            for k, (sep, t1, t2) in enumerate(correl_cases(rng, args.cases)):
                p1, p2 = runner.write(t1), runner.write(t2)
                rep = ref.correlation_report(t1, t2, sep)
                case_args = ["correl", "--decimal", sep, p1, p2]
                record(f"correl#{k}", case_args, rep, runner.run(case_args))

        if args.only in (None, "homog"):
            for k, (sep, row, level, t1, t2) in enumerate(homog_cases(rng, args.cases)):
                p1, p2 = runner.write(t1), runner.write(t2)
                rep = ref.homogeneity_report(t1, t2, row, level, sep, fisher, student)
                case_args = ["homog", "--row", str(row), "--level", str(level), "--decimal", sep, p1, p2]
                record(f"homog#{k}", case_args, rep, runner.run(case_args))

    tie_note = f" ({ties} on extended-precision rounding ties)" if ties else ""
    print(f"{passed + ties} passed, {failed} failed{tie_note}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
