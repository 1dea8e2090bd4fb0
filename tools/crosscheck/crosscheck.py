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
import collections
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


def pick_base(rng):
    """Mostly 50..5000 m3/s; now and then modular coefficients around 1, a
    small stream, or a very large river."""
    family = rng.random()
    if family < 0.75:
        return math.exp(rng.uniform(math.log(50), math.log(5000)))
    if family < 0.87:
        return 1.0
    if family < 0.95:
        return math.exp(rng.uniform(math.log(0.05), math.log(5)))
    return math.exp(rng.uniform(math.log(1e4), math.log(2e5)))


def pick_decimals(rng, base):
    if base == 1.0:
        return 2
    if base < 5:
        return rng.choice([2, 3, 3, 4])
    return rng.randint(0, 3)


def runoff_series(rng, length, base=None, cv=None):
    """Annual runoff: log-normal or gamma-like around the base, with some
    lag-one persistence."""
    base = base if base is not None else pick_base(rng)
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
    base1 = pick_base(rng)
    base2 = pick_base(rng)
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


BAD_LINES = ["", "   ", "abc", "12 5", "1 000", "\t5", "5\t", "1e", "--5", "5,5,5", "5.5.5", "+", "-", "E3"]


def spoil(texts, sep, rng, chance=0.04):
    """Now and then a line a pane would refuse: a wrong separator, letters,
    an empty line, a second number."""
    if rng.random() >= chance or not texts:
        return texts
    texts = list(texts)
    other = "." if sep == "," else ","
    bad = rng.choice(BAD_LINES + ["12" + other + "5"])
    texts[rng.randrange(len(texts))] = bad
    return texts


def shorten(texts, rng, chance=0.02):
    """Now and then a pane of 2 lines or fewer."""
    if rng.random() >= chance:
        return texts
    return texts[:rng.randint(0, 2)]


# --- running the program -------------------------------------------------------

def russian_locale_present():
    import locale
    saved = locale.setlocale(locale.LC_ALL)
    try:
        locale.setlocale(locale.LC_ALL, "ru_RU.UTF-8")
        return True
    except locale.Error:
        return False
    finally:
        locale.setlocale(locale.LC_ALL, saved)


class Runner:
    def __init__(self, cli, workdir):
        self.use_locale = russian_locale_present()
        self.cli = cli
        self.workdir = workdir
        self.count = 0

    def write(self, lines, trailing_newline=None):
        if trailing_newline is None:
            # Without a final line break a last empty line would vanish.
            trailing_newline = self.count % 7 != 3 or (lines and lines[-1] == "")
        self.count += 1
        path = os.path.join(self.workdir, f"s{self.count}.txt")
        text = "\n".join(lines) + ("\n" if trailing_newline else "")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def run(self, args):
        env = None
        if self.use_locale and self.count % 10 == 4 and "--decimal" in args:
            # Now and then the separator comes from the locale instead.
            at = args.index("--decimal")
            sep = args[at + 1]
            args = args[:at] + args[at + 2:]
            env = dict(os.environ)
            env.pop("LANG", None)
            env.pop("LC_NUMERIC", None)
            env["LC_ALL"] = "ru_RU.UTF-8" if sep == "," else "C.UTF-8"
        proc = subprocess.run([self.cli] + args, capture_output=True, env=env)
        out = proc.stdout.decode("utf-8", "replace")
        err = proc.stderr.decode("utf-8", "replace")
        lines = out.split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        return proc.returncode, lines, err


def _one_unit_apart(got, want):
    """True when two report lines differ only in one number, by one unit of
    its last written digit (a value on a rounding tie)."""
    import re
    pattern = re.compile(r"-?\d+(?:[.,]\d+)?")
    if pattern.sub("#", got) != pattern.sub("#", want):
        return False
    pairs = [(a, b) for a, b in zip(pattern.findall(got), pattern.findall(want)) if a != b]
    if len(pairs) != 1:
        return False
    a, b = (t.replace(",", ".") for t in pairs[0])
    places = max(len(t.split(".")[1]) if "." in t else 0 for t in (a, b))
    return abs(round((float(a) - float(b)) * 10 ** places)) == 1


def tie_explains(rep, status, lines):
    """Whether a mismatch is only the program landing on the other side of a
    rounding tie that the model flagged."""
    if not rep.near_ties or len(lines) != len(rep.lines):
        return False
    verdict_ties = {"F~Fa", "t~ta"} & set(rep.near_ties)
    for got, want in zip(lines, rep.lines):
        if got == want:
            continue
        if "column" in rep.near_ties:
            continue
        if verdict_ties and got.startswith("Ряды") and want.startswith("Ряды"):
            continue
        if not _one_unit_apart(got, want):
            return False
    return True


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
        base = pick_base(rng)
        decimals = pick_decimals(rng, base)
        values = runoff_series(rng, length, base)
        if i % 25 == 3:
            # Anomalies about zero: negative values, a mean near zero.
            values = [v - base for v in values]
        if i % 25 == 5:
            # Nearly constant: a tiny Cv makes a huge Cs/Cv.
            values = [10000 + rng.choice([0, 0, 0.01, -0.01, 0.02]) for _ in range(length)]
            decimals = 2
        if i % 50 == 7:
            values = [values[0]] * length            # constant: Cs is 0/0
        if i % 50 == 17:
            values = [0.0] * length                  # all zero: Cv is 0/0
        texts = texts_of(values, decimals, sep, rng, plain=rng.random() < 0.85)
        yield sep, rng.randint(0, 2), shorten(spoil(texts, sep, rng), rng)


def correl_cases(rng, count):
    for i in range(count):
        sep = rng.choice([",", "."])
        length = rng.choice([3, 4, 5, 29, 30, rng.randint(3, 150), rng.randint(6, 60)])
        xs, ys = correlated_pair(rng, length)
        if i % 60 == 11:
            ys = [ys[0]] * length
        d1, d2 = rng.randint(0, 3), rng.randint(0, 3)
        if min(xs) < 5:
            d1 = max(d1, 2)
        if min(ys) < 5:
            d2 = max(d2, 2)
        plain = rng.random() < 0.85
        t1 = shorten(spoil(texts_of(xs, d1, sep, rng, plain), sep, rng), rng)
        t2 = spoil(texts_of(ys, d2, sep, rng, plain), sep, rng)
        if rng.random() < 0.03:
            t2 = t2[:-1] if rng.random() < 0.5 else t2 + t2[:1]   # different lengths
        yield sep, t1, t2


def homog_cases(rng, count):
    for i in range(count):
        sep = rng.choice([",", "."])
        n1 = rng.choice([3, 5, 10, 12, 25, 29, 30, 50, 99, 100, 101, rng.randint(3, 120), rng.randint(10, 60)])
        n2 = rng.choice([rng.randint(3, 120), rng.randint(10, 60), n1, 10, 25])
        if max(n1, n2) < 10:
            n2 = rng.randint(10, 120)
        base = pick_base(rng)
        shift = rng.choice([1.0, 1.0, rng.uniform(0.7, 1.4)])
        cv = rng.uniform(0.05, 0.6)
        x = runoff_series(rng, n1, base, cv)
        y = runoff_series(rng, n2, base * shift, cv * rng.uniform(0.6, 1.6))
        decimals = rng.choice([0, 0, 1, 2, 3]) if base > 5 else pick_decimals(rng, base)
        # (whole numbers make many equal values for the rank test)
        if i % 40 == 13:
            y = [y[0]] * n2
        if i % 40 == 27 and decimals == 0:
            x = [round(v / 100) * 100 for v in x]
            y = [round(v / 100) * 100 for v in y]
        plain = rng.random() < 0.85
        row = i % 18
        level = (i // 18) % 13 if rng.random() < 0.7 else rng.randint(0, 12)
        t1 = shorten(spoil(texts_of(x, decimals, sep, rng, plain), sep, rng), rng)
        t2 = shorten(spoil(texts_of(y, decimals, sep, rng, plain), sep, rng), rng)
        yield sep, row, level, t1, t2


def _nums(*values):
    return [str(v) for v in values]


# Fixed cases first: the worked examples and every fault row, both separators.
STATS_EDGES = [
    (0, _nums(100, 120, 80, 150, 110, 90, 140, 130, 100, 120)),
    (1, _nums(100, 120, 80, 150, 110, 90, 140, 130, 100, 120)),
    (2, _nums(12, 15, 9, 30, 11, 14, 10, 8, 25, 13)),
    (0, _nums(5, 5, 7)), (0, _nums(-1, 0, 1)), (0, _nums(0, 0, 0)), (1, _nums(3, 3, 3)),
    (2, _nums(1, 2, 4)), (0, _nums(10, 10.01, 10, 10, 10.02, 10)),
]
CORREL_EDGES = [
    (_nums(1, 2, 3, 4), _nums(2, 4, 6, 8)), (_nums(1, 2, 3, 4, 5), _nums(2, 1, 4, 3, 5)),
    (_nums(1, 2, 3, 4, 5, 6), _nums(6, 5, 4, 3, 2, 2)), (_nums(1, 2, 3, 4, 5), _nums(2, 1, 4, 5, 3)),
    (_nums(1, 2, 3), _nums(7, 7, 7)), (_nums(1, 2, 3), _nums(1, 2, 3, 4)),
]
HOMOG_EDGES = [
    (7, 3, _nums(*range(1, 11)), _nums(*range(2, 21, 2))),
    (7, 3, _nums(*range(1, 20, 2)), _nums(*range(2, 21, 2))),
    (7, 3, _nums(*([5] * 9 + [6])), _nums(*([5] * 9 + [4]))),
    (7, 3, _nums(1, 2, 3), _nums(*range(1, 11))),
    (7, 3, _nums(*range(1, 13)), _nums(*range(3, 13))),
    (7, 8, _nums(*range(1, 13)), _nums(*range(3, 13))),
    (0, 0, _nums(*range(1, 102)), _nums(*range(5, 106))),
    (7, 0, _nums(*range(1, 51)), _nums(*range(4, 54))),
    (7, 3, _nums(*range(1, 11)), _nums(*([4] * 10))),
    (7, 3, _nums(*([4] * 10)), _nums(*([4] * 10))),
    (17, 7, _nums(*range(1, 10)), _nums(*range(1, 10))),
]


def self_check(fisher, student):
    """The model must reproduce known reports before it judges the program."""
    q = ref.Q
    known = [
        (ref.statistics_report([q(v) for v in (100, 120, 80, 150, 110, 90, 140, 130, 100, 120)], 0, ",").lines,
         ["Длина ряда:\t10", "Среднее значение:\t114,000", "СКО:\t22,211", "^Cv:\t0,195",
          "^Cs:\t0,128", "r(1):\t-0,479", "Cs/Cv: \t0,7", "", "----- При: Cs/Cv = 2; r(1) = 0 -----", "",
          "ai:\t0\t0,19\t0,99\t-0,88\t0,01\t1,54", "", "bi:\t0,03\t2\t0,92\t-5,09\t0,03\t8,1", "",
          "Cv:\t0,201", "Cs:\t0,296", "Cs/Cv: \t1,5"]),
        (ref.statistics_report([q(v) for v in (12, 15, 9, 30, 11, 14, 10, 8, 25, 13)], 2, ",").lines[1:],
         ["Среднее значение:\t14,700", "СКО:\t7,181", "^Cv:\t0,489", "^Cs:\t1,504", "r(1):\t-0,428",
          "Cs/Cv: \t3,1", "", "----- При: Cs/Cv = 3; r(1) = 0,5 -----", "",
          "ai:\t0\t1,75\t1\t-11,79\t-0,05\t21,13", "", "bi:\t0,03\t1,63\t0,92\t-0,97\t0,03\t7,94", "",
          "Cv:\t0,580", "Cs:\t3,294", "Cs/Cv: \t5,7"]),
        (ref.correlation_report(_nums(1, 2, 3, 4, 5, 6), _nums(6, 5, 4, 3, 2, 2), ",").lines,
         ["Длина:\t6", "R:\t-0,982", "", "Ср. Кв. Ошибка R:\t\t±0,016", "Ср. Кв. Ошибка R X 2:\t±0,032",
          "Ср. Кв. Ошибка R X 3:\t±0,048", "Вероятная ошибка R:\t±0,011", "", "СКО коэффициента регрессии:\t0,017"]),
        (ref.homogeneity_report(_nums(*range(1, 11)), _nums(*range(2, 21, 2)), 7, 3, ",", fisher, student).lines,
         ["Длины рядов:\tN1 = 10\tN2 = 10", "F = 4", "Fa = 4,03", "Ряды однородны по критерию Фишера\t\"Да\"", "",
          "t = 2,437", "ta = 2,101", "Ряды не однородны по критерию Стьюдента\t\"Нет\"", "", "U = 78",
          "U1 = 24,072\tU2 = 75,928", "Ряды не однородны по критерию Вилькоксона\t\"Нет\""]),
        ([ref.format_fixed(q(2.0005), 3, ","), ref.format_fixed(q(1.0005), 3, ","),
          ref.format_fixed(q(-0.0004), 3, ","), ref.format_general(q(0.00001), ","),
          ref.format_general(q(1.5e15), ","), str(ref.round_digits(q(1250), -2)),
          str(ref.round_digits(q(2.5), 0)), ref.format_general(ref.critical(fisher, 7, 3, 99), ".")],
         ["2,001", "1,000", "0,000", "1E-5", "1,5E15", "1200", "2", "1.5156"]),
    ]
    for got, want in known:
        if got != want:
            print("the reference model itself is off:", got, "instead of", want)
            return False
    return True


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
    if not self_check(fisher, student):
        return 2
    rng = random.Random(args.seed)
    passed = failed = ties = 0
    outcomes = collections.Counter()

    with tempfile.TemporaryDirectory() as tmp:
        workdir = args.keep or tmp
        os.makedirs(workdir, exist_ok=True)
        runner = Runner(args.cli, workdir)

        def record(label, case_args, rep, result):
            nonlocal passed, failed, ties
            status, lines, err = result
            outcomes[rep.outcome] += 1
            problems = compare(label, rep, status, lines, err)
            if not problems:
                passed += 1
                return
            if status == EXIT_FOR_OUTCOME[rep.outcome if not rep.fault else "Fault"] \
                    and tie_explains(rep, status, lines):
                ties += 1
                if args.verbose:
                    print(f"TIE {label} {' '.join(case_args)} near {rep.near_ties}: {problems}")
                return
            failed += 1
            print(f"FAIL {label}: aqualen-cli {' '.join(case_args)}")
            for p in problems[:8]:
                print("   ", p)

        def with_sep(texts, sep):
            return [t.replace(".", sep) for t in texts]

        stats_edges = [(sep, r1, with_sep(t, sep)) for sep in ",." for r1, t in STATS_EDGES]
        correl_edges = [(sep, with_sep(a, sep), with_sep(b, sep)) for sep in ",." for a, b in CORREL_EDGES]
        homog_edges = [(sep, row, level, with_sep(a, sep), with_sep(b, sep))
                       for sep in ",." for row, level, a, b in HOMOG_EDGES]

        if args.only in (None, "stats"):
            cases = stats_edges + list(stats_cases(rng, args.cases))
            for k, (sep, r1, texts) in enumerate(cases):
                path = runner.write(texts)
                rep = ref.statistics_command(texts, r1, sep)
                case_args = ["stats", "--r1", str(r1), "--decimal", sep, path]
                record(f"stats#{k}", case_args, rep, runner.run(case_args))

        if args.only in (None, "correl"):
            cases = correl_edges + list(correl_cases(rng, args.cases))
            for k, (sep, t1, t2) in enumerate(cases):
                p1, p2 = runner.write(t1), runner.write(t2)
                rep = ref.correlation_report(t1, t2, sep)
                case_args = ["correl", "--decimal", sep, p1, p2]
                record(f"correl#{k}", case_args, rep, runner.run(case_args))

        if args.only in (None, "homog"):
            cases = homog_edges + list(homog_cases(rng, args.cases))
            for k, (sep, row, level, t1, t2) in enumerate(cases):
                p1, p2 = runner.write(t1), runner.write(t2)
                rep = ref.homogeneity_report(t1, t2, row, level, sep, fisher, student)
                case_args = ["homog", "--row", str(row), "--level", str(level), "--decimal", sep, p1, p2]
                record(f"homog#{k}", case_args, rep, runner.run(case_args))

    tie_note = f" ({ties} on extended-precision rounding ties)" if ties else ""
    if args.verbose:
        print("outcomes:", dict(outcomes))
    print(f"{passed + ties} passed, {failed} failed{tie_note}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
