#!/usr/bin/env python3
"""Generates src/homog/critical_tables_data.inc, the Fisher and Student
critical value tables of the homogeneity test.

Layout: for each tabulated length n = 10, 25, 50, 100 one sub-table of 18
dependence rows by 13 significance levels ("0.2" ... "99").

Statistical model
-----------------
Rows 0, 7 and 17 are the reference rows and are stored as they stand below:
row 7 holds the two-sided critical values for two independent normal series
(F with (n-1, n-1) and t with 2n-2 degrees of freedom, to the decimals
given), row 0 those for series with lag-one autocorrelation r(1) = 0.7,
row 17 those for series with cross-correlation R = 0.95.

The rows between them follow from how dependence changes the spread of the
two statistics, pinned to the reference rows:

* Rows 1..6 (R = 0, r(1) = rho = 0.6 ... 0.1). Each series is a stationary
  lag-one autoregressive normal process. Its autocorrelation inflates the
  sampling variance of the mean by
      f_m(rho, n) = 1 + 2 * sum_{k=1}^{n-1} (1 - k/n) * rho^k
  and that of the sample variance by
      f_v(rho, n) = 1 + 2 * sum_{k=1}^{n-1} (1 - k/n) * rho^(2k)
  (Bartlett's formulas for a finite AR(1) sample). The critical t scales
  with sqrt(f_m), the logarithm of the critical F with sqrt(f_v). The weight
  of a row is the excess of that scale over independence, relative to the
  excess at rho = 0.7:
      w = (sqrt(f(rho, n)) - 1) / (sqrt(f(0.7, n)) - 1).
* Rows 8..16 (r(1) = 0, R = 0.1 ... 0.9). The two series are normal pairs
  with cross-correlation R. The variance of the difference of the means
  shrinks by (1 - R), so the critical t scales with q_t = sqrt(1 - R); the
  two sample variances are correlated by R^2, so the variance of
  ln(s1^2 / s2^2) shrinks by (1 - R^2) and ln F scales with
  q_F = sqrt(1 - R^2). The weight relative to R = 0.95 is
      w = (q(0) - q(R)) / (q(0) - q(0.95)).
  For Fisher the reference point is R = 0.1 instead of R = 0: the reference
  rows give R = 0.1 the Fisher values of independent series, so the weight
  is (q_F(0.1) - q_F(R)) / (q_F(0.1) - q_F(0.95)), and 0 for row 8.

An entry is then the blend of its reference rows by the row weight w:
Student linearly, t = t7 + w * (t_ref - t7); Fisher geometrically,
F = F7 * (F_ref / F7)^w, in keeping with the log scale of F. The weight
depends on the row and the length only, not on the level, so every generated
row is a blend of two rows that fall along the level and lies between them;
rounding to three decimals (halves to even) keeps every run. The script
checks all runs before it writes anything and needs no random numbers.

Three reference cells are corrected typing errors: Student n = 50, row 7,
level 0 is 3.174 (the 0.2 % two-sided quantile of t with 98 degrees of
freedom); Student n = 10, row 0, level 10 is 0.31; Fisher n = 25, row 0,
level 8 is 1.38.

Usage: gen_critical_tables.py [OUTPUT]   (default: the data file in the tree)
       gen_critical_tables.py --check    (exit 1 if the data file differs)
"""

import math
import os
import sys
from decimal import ROUND_HALF_EVEN, Decimal

LENGTHS = (10, 25, 50, 100)
LEVELS = 13
ROWS = 18
ROW_LABELS = ["0.0   0.7", "0.0   0.6", "0.0   0.5", "0.0   0.4", "0.0   0.3",
              "0.0   0.2", "0.0   0.1", "0.0   0.0", "0.1   0.0", "0.2   0.0",
              "0.3   0.0", "0.4   0.0", "0.5   0.0", "0.6   0.0", "0.7   0.0",
              "0.8   0.0", "0.9   0.0", "0.95 0.0"]
AUTOCORRELATION = {row: round(0.7 - 0.1 * row, 1) for row in range(0, 7)}
CROSS_CORRELATION = {row: round(0.1 * (row - 7), 1) for row in range(8, 17)}
CROSS_CORRELATION[17] = 0.95

FISHER_REFERENCE = {
    (10, 0): "18.6 11 8.11 6.19 4.58 3.22 2.59 1.83 1.41 1.26 1.12 1.06 1",
    (25, 0): "7.17 5.18 4.39 3.44 2.86 2.22 1.92 1.7 1.38 1.2 1.06 1.02 1",
    (50, 0): "4.07 3.31 2.98 2.49 2.16 1.82 1.64 1.4 1.22 1.15 1.07 1.02 1",
    (100, 0): "3.02 2.49 2.28 1.93 1.72 1.52 1.4 1.24 1.13 1.1 1.03 1 1",
    (10, 7): "10.11 6.54 5.35 4.03 3.18 2.44 2.02 1.57 1.3 1.19 1.1 1.03 1",
    (25, 7): "3.74 2.97 2.66 2.27 1.98 1.7 1.53 1.32 1.17 1.11 1.05 1.02 1",
    (50, 7): "2.51 2.15 1.99 1.79 1.62 1.47 1.37 1.21 1.12 1.09 1.04 1.01 1",
    (100, 7): "1.91 1.73 1.64 1.51 1.41 1.31 1.22 1.16 1.08 1.05 1.02 1 1",
    (10, 17): "2.47 2.01 1.84 1.63 1.48 1.33 1.25 1.15 1.09 1.03 1 1 1",
    (25, 17): "1.54 1.41 1.37 1.29 1.22 1.18 1.13 1.09 1.05 1.02 1.01 1 1",
    (50, 17): "1.32 1.27 1.24 1.2 1.16 1.13 1.1 1.07 1.04 1.03 1 1 1",
    (100, 17): "1.2 1.18 1.17 1.12 1.1 1.08 1.06 1.03 1.02 1.01 1 1 1",
}

STUDENT_REFERENCE = {
    (10, 0): "9.14 7.19 6.35 5.18 4.21 3.22 2.63 1.66 0.93 0.62 0.31 0.13 0.03",
    (25, 0): "8.4 6.71 6 4.96 4.12 3.12 2.53 1.6 0.93 0.62 0.31 0.13 0.03",
    (50, 0): "7.48 6.22 5.68 4.78 4.01 3.11 2.53 1.6 0.93 0.62 0.31 0.13 0.03",
    (100, 0): "7.35 6.1 5.52 4.65 3.93 3.07 2.52 1.6 0.93 0.62 0.31 0.1 0.03",
    (10, 7): "3.61 2.878 2.552 2.101 1.734 1.33 1.07 0.688 0.39 0.26 0.12 0.02 0",
    (25, 7): "3.269 2.683 2.407 2.012 1.677 1.3 1.06 0.679 0.4 0.25 0.12 0.03 0",
    (50, 7): "3.174 2.627 2.365 1.985 1.66 1.29 1.04 0.677 0.4 0.26 0.13 0.04 0",
    (100, 7): "3.131 2.601 2.345 1.975 1.653 1.286 1.06 0.676 0.38 0.27 0.12 0.01 0",
    (10, 17): "0.93 0.69 0.58 0.48 0.39 0.29 0.22 0.14 0.08 0.05 0.03 0 0",
    (25, 17): "0.8 0.62 0.55 0.44 0.37 0.29 0.23 0.15 0.08 0.05 0.02 0 0",
    (50, 17): "0.77 0.59 0.52 0.44 0.37 0.29 0.22 0.14 0.08 0.05 0.02 0 0",
    (100, 17): "0.97 0.78 0.7 0.54 0.48 0.39 0.31 0.2 0.12 0.08 0.03 0 0",
}


def inflation(rho, n, power):
    """Bartlett's variance inflation of an AR(1) sample of length n."""
    return 1 + 2 * sum((1 - k / n) * rho ** (power * k) for k in range(1, n))


def autocorrelation_weight(rho, n, power):
    scale = math.sqrt(inflation(rho, n, power)) - 1
    return scale / (math.sqrt(inflation(0.7, n, power)) - 1)


def cross_weight(r, base, scale):
    return max(0.0, (scale(base) - scale(r)) / (scale(base) - scale(0.95)))


def fisher_weight(row, n):
    if row < 7:
        return autocorrelation_weight(AUTOCORRELATION[row], n, 2)
    return cross_weight(CROSS_CORRELATION[row], 0.1, lambda r: math.sqrt(1 - r * r))


def student_weight(row, n):
    if row < 7:
        return autocorrelation_weight(AUTOCORRELATION[row], n, 1)
    return cross_weight(CROSS_CORRELATION[row], 0.0, lambda r: math.sqrt(1 - r))


def parse_row(text):
    values = [Decimal(item) for item in text.split()]
    assert len(values) == LEVELS
    return values


def round3(value):
    return Decimal(repr(value)).quantize(Decimal("0.001"), rounding=ROUND_HALF_EVEN)


def build(reference, weight, geometric):
    tables = {}
    for n in LENGTHS:
        rows = [None] * ROWS
        for row in (0, 7, 17):
            rows[row] = parse_row(reference[(n, row)])
        for row in list(range(1, 7)) + list(range(8, 17)):
            w = weight(row, n)
            far = rows[0] if row < 7 else rows[17]
            values = []
            for level in range(LEVELS):
                a, b = float(rows[7][level]), float(far[level])
                if w == 0:
                    value = a
                elif geometric:
                    value = a * (b / a) ** w
                else:
                    value = a + w * (b - a)
                values.append(round3(value))
            rows[row] = values
        tables[n] = rows
    return tables


def check_runs(name, tables):
    for n, rows in tables.items():
        for row, values in enumerate(rows):
            for level in range(1, LEVELS):
                assert values[level] <= values[level - 1], (name, n, row, level)
        for row in range(1, ROWS):
            for level in range(LEVELS):
                assert rows[row][level] <= rows[row - 1][level], (name, n, row, level)


def check_fixed_cells(fisher, student):
    for n in LENGTHS:
        assert fisher[n][7] == fisher[n][8], n
        for row in range(ROWS):
            assert fisher[n][row][12] == 1, (n, row)
            assert fisher[n][row][0] >= 1
        for row in range(7, ROWS):
            assert student[n][row][12] == 0, (n, row)


def text_of(value):
    text = format(value.normalize(), "f")
    return text


def render(fisher, student):
    out = []
    out.append("// Generated by tools/gen_critical_tables.py from its stated model; do not")
    out.append("// edit by hand. Rows 0, 7 and 17 are the reference rows, the others are")
    out.append("// blends of them (see the generator). Index: [length][row][level], the")
    out.append("// lengths 10, 25, 50, 100; the levels \"0.2\" ... \"99\" left to right.")
    out.append("")
    for name, tables in (("kFisherTable", fisher), ("kStudentTable", student)):
        kind = "Fisher (variance ratio)" if name == "kFisherTable" else "Student (t)"
        out.append(f"constexpr double {name}[4][18][13] = {{")
        for n in LENGTHS:
            out.append(f"    // {kind}, n = {n}")
            out.append("    {")
            for row, values in enumerate(tables[n]):
                cells = ", ".join(text_of(v) for v in values)
                out.append(f"        {{{cells}}}, // {row:2d} \"{ROW_LABELS[row]}\"")
            out.append("    },")
        out.append("};")
        out.append("")
    return "\n".join(out)


def main(argv):
    fisher = build(FISHER_REFERENCE, fisher_weight, geometric=True)
    student = build(STUDENT_REFERENCE, student_weight, geometric=False)
    check_runs("Fisher", fisher)
    check_runs("Student", student)
    check_fixed_cells(fisher, student)
    text = render(fisher, student)
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "homog",
                           "critical_tables_data.inc")
    if len(argv) > 1 and argv[1] == "--check":
        with open(default, encoding="utf-8") as f:
            same = f.read() == text
        print("critical_tables_data.inc is " + ("up to date" if same else "STALE"))
        return 0 if same else 1
    path = argv[1] if len(argv) > 1 else default
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
