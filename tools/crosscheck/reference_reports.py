#!/usr/bin/env python3
"""An independent model of the three text reports (statistics, correlation,
homogeneity), written from the report rules alone, in exact arithmetic.

Every value is a fractions.Fraction. Doubles and the 80-bit extended type are
modelled by rounding an exact result to a 53-bit or a 64-bit significand,
ties to even, so "evaluate in extended, store a double" is
dbl(ext(...)) step by step. The two text formats and the decimal rounding
work on the exact binary value, so they reproduce the program's output to the
last digit, with one reservation: where a formula is evaluated in extended
precision, its grouping inside one expression is a choice, and a value that
sits within an ulp of a rounding tie may come out on either side. The
functions return, with the lines, a list of such near-tie places so that a
caller can tell a real fault from such a tie.

Standard library only.
"""

from fractions import Fraction as Q
from math import exp, isqrt

DOUBLE_BITS = 53
EXTENDED_BITS = 64
DOUBLE_MAX = Q((1 << 53) - 1) * Q(2) ** (1024 - 53)

INVALID = "Invalid floating point operation"
DIVISION_BY_ZERO = "Floating point division by zero"
OVERFLOW = "Floating point overflow"


class FloatFault(Exception):
    """A floating-point fault with the program's own text."""


# --- binary rounding -------------------------------------------------------

def _floor_log2(a):
    """floor(log2(a)) for a positive Fraction."""
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if Q(2) ** e > a:
        e -= 1
    return e


def round_bits(x, bits):
    """x rounded to a significand of `bits` bits, ties to even."""
    if x == 0:
        return Q(0)
    sign = -1 if x < 0 else 1
    a = abs(x)
    shift = _floor_log2(a) - bits + 1
    scaled = a / (Q(2) ** shift)
    q, r = divmod(scaled.numerator, scaled.denominator)
    twice = 2 * r
    if twice > scaled.denominator or (twice == scaled.denominator and q % 2 == 1):
        q += 1
    return sign * q * Q(2) ** shift


def dbl(x):
    """Stores a value into a double; an overflow is a fault."""
    r = round_bits(Q(x), DOUBLE_BITS)
    if abs(r) > DOUBLE_MAX:
        raise FloatFault(OVERFLOW)
    return r


def ext(x):
    return round_bits(Q(x), EXTENDED_BITS)


def sqrt_bits(x, bits):
    """The square root of x correctly rounded to `bits` bits."""
    if x < 0:
        raise FloatFault(INVALID)
    if x == 0:
        return Q(0)
    t = bits + 2 - _floor_log2(x) // 2
    y = x * Q(4) ** t
    whole = y.numerator // y.denominator
    s = isqrt(whole)
    if s * s == y:
        root = Q(s)
    else:
        # Anything strictly between s and s + 1 rounds alike: s has more than
        # bits + 1 bits, so every rounding midpoint is a whole number.
        root = Q(2 * s + 1, 2)
    return round_bits(root / Q(2) ** t, bits)


# --- checked extended operations ---------------------------------------------

def ediv(a, b):
    if b == 0:
        raise FloatFault(INVALID if a == 0 else DIVISION_BY_ZERO)
    return ext(Q(a) / Q(b))


def esqrt(a):
    return sqrt_bits(Q(a), EXTENDED_BITS)


def emul(a, b):
    return ext(Q(a) * Q(b))


def eadd(a, b):
    return ext(Q(a) + Q(b))


def esub(a, b):
    return ext(Q(a) - Q(b))


def from_float(f):
    return Q(f)


# --- decimal helpers ---------------------------------------------------------

def _floor_log10(a):
    """floor(log10(a)) for a positive Fraction."""
    e = len(str(a.numerator)) - len(str(a.denominator))
    while Q(10) ** e > a:
        e -= 1
    while Q(10) ** (e + 1) <= a:
        e += 1
    return e


def _round_half_away(x):
    """x (non-negative Fraction) to the nearest integer, halves up."""
    q, r = divmod(x.numerator, x.denominator)
    if 2 * r >= x.denominator:
        q += 1
    return q


def _is_half(x):
    return (2 * x.numerator) % (2 * x.denominator) == x.denominator


def _near_half(x, tolerance):
    """True when x lies within `tolerance` of a half-integer."""
    frac = x - (x.numerator // x.denominator)
    return abs(frac - Q(1, 2)) <= tolerance


def format_fixed(value, decimals, sep):
    """Fixed notation: 18 significant digits first, then the d-th decimal."""
    v = Q(value)
    if v == 0:
        return "0" + (sep + "0" * decimals if decimals else "")
    negative = v < 0
    a = abs(v)
    e = _floor_log10(a) + 1           # a = 0.d1d2... x 10^e
    digits18 = _round_half_away(a * Q(10) ** (18 - e))
    a18 = digits18 * Q(10) ** (e - 18)
    n = _round_half_away(a18 * Q(10) ** decimals)
    text = str(n).rjust(decimals + 1, "0")
    whole, frac = text[:len(text) - decimals], text[len(text) - decimals:]
    out = whole + (sep + frac if decimals else "")
    if negative and n != 0:
        out = "-" + out
    return out


def format_general(value, sep):
    """Shortest text with at most 15 significant digits, halves away."""
    v = Q(value)
    if v == 0:
        return "0"
    negative = v < 0
    a = abs(v)
    e = _floor_log10(a) + 1
    digits = _round_half_away(a * Q(10) ** (15 - e))
    if digits >= 10 ** 15:
        digits //= 10
        e += 1
    s = str(digits).rstrip("0")
    if -3 <= e <= 15:
        if e <= 0:
            body = "0" + sep + "0" * (-e) + s
        elif len(s) <= e:
            body = s + "0" * (e - len(s))
        else:
            body = s[:e] + sep + s[e:]
    else:
        body = s[0] + (sep + s[1:] if len(s) > 1 else "") + "E" + str(e - 1)
    return ("-" if negative else "") + body


def round_half_even(x):
    """x to the nearest integer, halves to the even neighbour."""
    q, r = divmod(x.numerator, x.denominator)
    twice = 2 * r
    if twice > x.denominator or (twice == x.denominator and q % 2 == 1):
        q += 1
    return q


def round_digits(value, d):
    """Decimal rounding by successive steps of ten, each stored as a double."""
    v = Q(value)
    if d < -15 or d > 15:
        return v
    if d >= 0:
        for _ in range(d):
            v = dbl(v * 10)
        v = Q(round_half_even(v))
        for _ in range(d):
            v = dbl(v / 10)
    else:
        for _ in range(-d):
            v = dbl(v / 10)
        v = Q(round_half_even(v))
        for _ in range(-d):
            v = dbl(v * 10)
    return v


def round_digits_near_tie(value, d):
    """True when the scaled value before the integer step is within a few
    ulps of a half (so an extended grouping elsewhere could flip it)."""
    v = Q(value)
    for _ in range(d):
        v = dbl(v * 10)
    ulp = Q(2) ** (_floor_log2(abs(v)) - 52) if v != 0 else Q(0)
    return _near_half(v, 8 * ulp)


def fixed_near_tie(value, decimals):
    v = abs(Q(value))
    if v == 0:
        return False
    ulp = Q(2) ** (_floor_log2(v) - 52)
    return _near_half(v * Q(10) ** decimals, 8 * ulp * Q(10) ** decimals)


# --- number input ------------------------------------------------------------

def parse_number(text, sep):
    """The value of a pane line, or None when it is not a number."""
    i = 0
    n = len(text)
    while i < n and text[i] == " ":
        i += 1
    negative = False
    if i < n and text[i] in "+-":
        negative = text[i] == "-"
        i += 1
    start = i
    while i < n and text[i].isdigit() and text[i] in "0123456789":
        i += 1
    int_digits = text[start:i]
    frac_digits = ""
    had_sep = False
    if i < n and text[i] == sep:
        had_sep = True
        i += 1
        fstart = i
        while i < n and text[i] in "0123456789":
            i += 1
        frac_digits = text[fstart:i]
    if not int_digits and not frac_digits and not had_sep:
        return None
    exponent = 0
    if i < n and text[i] in "eE":
        i += 1
        esign = 1
        if i < n and text[i] in "+-":
            esign = -1 if text[i] == "-" else 1
            i += 1
        estart = i
        while i < n and text[i] in "0123456789":
            i += 1
        if estart == i:
            return None
        exponent = esign * int(text[estart:i])
    while i < n and text[i] == " ":
        i += 1
    if i != n:
        return None
    mantissa = int((int_digits + frac_digits) or "0")
    value = Q(mantissa) * Q(10) ** (exponent - len(frac_digits))
    try:
        value = dbl(value)
    except FloatFault:
        return None
    return -value if negative else value


# --- shared statistics -------------------------------------------------------

def mean_of(values):
    total = Q(0)
    for x in values:
        total = dbl(eadd(total, x))
    mean = dbl(ediv(total, len(values)))
    # The mean of a series lies within its range; the rounding of the sum
    # must not carry it out (all values equal then deviate by exactly zero).
    return min(max(mean, min(values)), max(values))


def sd_of(values, mean):
    count = len(values)
    divisor = count - 1 if count < 30 else count
    total = Q(0)
    for x in values:
        dev = esub(x, mean)
        total = dbl(eadd(total, ediv(emul(dev, dev), divisor)))
    return dbl(esqrt(total))


def correlation_coefficient(x, y, n):
    mx = mean_of(x[:n])
    my = mean_of(y[:n])
    sxy = sxx = syy = Q(0)
    for i in range(n):
        dx = esub(x[i], mx)
        dy = esub(y[i], my)
        sxy = dbl(eadd(sxy, emul(dx, dy)))
        sxx = dbl(eadd(sxx, emul(dx, dx)))
        syy = dbl(eadd(syy, emul(dy, dy)))
    return dbl(ediv(sxy, esqrt(emul(sxx, syy))))


class Report:
    """Report lines, the fault that ended the report (if any) and the places
    where the result sits on an extended-precision rounding tie."""

    def __init__(self):
        self.lines = []
        self.fault = None
        self.outcome = "Report"
        self.near_ties = []


# --- statistics report ---------------------------------------------------------

A_TABLE = {  # (column, r(1) index) -> a1..a6
    (2, 0): ("0", "0.19", "0.99", "-0.88", "0.01", "1.54"),
    (2, 1): ("0", "0.22", "0.99", "-0.41", "0.01", "1.51"),
    (2, 2): ("0", "0.18", "0.98", "0.41", "0.02", "1.47"),
    (3, 0): ("0", "0.69", "0.98", "-4.34", "0.01", "6.78"),
    (3, 1): ("0", "1.15", "1.02", "-7.53", "-0.04", "12.38"),
    (3, 2): ("0", "1.75", "1.00", "-11.79", "-0.05", "21.13"),
    (4, 0): ("0", "1.36", "1.02", "-9.68", "-0.05", "15.55"),
    (4, 1): ("-0.02", "2.61", "1.13", "-19.85", "-0.22", "34.15"),
    (4, 2): ("-0.02", "3.47", "1.18", "-29.71", "-0.41", "58.08"),
}
B_TABLE = {
    0: ("0.03", "2.00", "0.92", "-5.09", "0.03", "8.10"),
    1: ("0.03", "1.77", "0.93", "-3.45", "0.03", "8.03"),
    2: ("0.03", "1.63", "0.92", "-0.97", "0.03", "7.94"),
}
R1_VALUES = ("0", "0.3", "0.5")


def _decimal_double(text):
    return dbl(Q(text))


def ratio_column(q):
    k = round_half_even(q)
    if k < -2 ** 63 or k >= 2 ** 63:
        raise FloatFault(INVALID)
    if 0 <= k <= 2:
        return 2
    if k == 3:
        return 3
    if 4 <= k <= 99:
        return 4
    return 2


def _corrected(n, coefficients, x):
    """(c1 + c2/n) + (c3 + c4/n)*x + (c5 + c6/n)*x^2 in extended, stored."""
    c1, c2, c3, c4, c5, c6 = coefficients
    first = eadd(c1, ediv(c2, n))
    second = emul(eadd(c3, ediv(c4, n)), x)
    third = emul(eadd(c5, ediv(c6, n)), emul(x, x))
    return dbl(eadd(eadd(first, second), third))


def statistics_report(values, r1_index, sep):
    rep = Report()
    out = rep.lines
    n = len(values)
    try:
        out.append("Длина ряда:\t" + str(n))
        mean = mean_of(values)
        out.append("Среднее значение:\t" + format_fixed(mean, 3, sep))
        _note_fixed(rep, "mean", mean, 3)
        sd = sd_of(values, mean)
        out.append("СКО:\t" + format_fixed(sd, 3, sep))
        _note_fixed(rep, "sd", sd, 3)
        cv = dbl(ediv(sd, mean))
        out.append("^Cv:\t" + format_fixed(cv, 3, sep))
        _note_fixed(rep, "cv", cv, 3)
        s3 = Q(0)
        for x in values:
            t = esub(ediv(x, mean), 1)
            s3 = dbl(eadd(s3, emul(emul(t, t), t)))
        numerator = emul(n, s3)
        denominator = emul(emul(emul(emul(cv, cv), cv), n - 1), n - 2)
        cs = dbl(ediv(numerator, denominator))
        out.append("^Cs:\t" + format_fixed(cs, 3, sep))
        _note_fixed(rep, "cs", cs, 3)
        r1 = correlation_coefficient(values[:-1], values[1:], n - 1)
        out.append("r(1):\t" + format_fixed(r1, 3, sep))
        _note_fixed(rep, "r1", r1, 3)
        ratio = dbl(ediv(cs, cv))
        out.append("Cs/Cv: \t" + format_fixed(ratio, 1, sep))
        _note_fixed(rep, "cs/cv", ratio, 1)

        k = ratio_column(ratio)
        if _is_half(ratio) or _near_half(ratio, Q(1, 10 ** 12)):
            rep.near_ties.append("column")
        a = tuple(_decimal_double(t) for t in A_TABLE[(k, r1_index)])
        b = tuple(_decimal_double(t) for t in B_TABLE[r1_index])
        r = _decimal_double(R1_VALUES[r1_index])
        out.append("")
        out.append("----- При: Cs/Cv = " + str(k) + "; r(1) = " + format_general(r, sep) + " -----")
        out.append("")
        out.append("ai:\t" + "\t".join(format_general(v, sep) for v in a))
        out.append("")
        out.append("bi:\t" + "\t".join(format_general(v, sep) for v in b))
        out.append("")
        cv2 = _corrected(n, a, cv)
        cs2 = _corrected(n, b, cs)
        out.append("Cv:\t" + format_fixed(cv2, 3, sep))
        _note_fixed(rep, "cv'", cv2, 3)
        out.append("Cs:\t" + format_fixed(cs2, 3, sep))
        _note_fixed(rep, "cs'", cs2, 3)
        ratio2 = dbl(ediv(cs2, cv2))
        out.append("Cs/Cv: \t" + format_fixed(ratio2, 1, sep))
        _note_fixed(rep, "cs'/cv'", ratio2, 1)
    except FloatFault as fault:
        rep.fault = str(fault)
    return rep


def statistics_command(lines, r1_index, sep):
    """The statistics command on pane lines: nothing for 2 lines or fewer,
    a rejection at the first unreadable line, else the report."""
    if len(lines) <= 2:
        rep = Report()
        rep.outcome = "TooShort"
        return rep
    values = []
    for line in lines:
        v = parse_number(line, sep)
        if v is None:
            rep = Report()
            rep.outcome = "InvalidInput"
            return rep
        values.append(v)
    rep = statistics_report(values, r1_index, sep)
    if rep.fault:
        rep.outcome = "Fault"
    return rep


def _note_fixed(rep, name, value, decimals):
    if fixed_near_tie(value, decimals):
        rep.near_ties.append(name)


def _note_general3(rep, name, value):
    if value != 0 and round_digits_near_tie(value, 3):
        rep.near_ties.append(name)


# --- correlation report --------------------------------------------------------

def correlation_report(lines1, lines2, sep):
    rep = Report()
    if len(lines1) <= 2 or len(lines2) <= 2:
        rep.outcome = "TooShort"
        return rep
    if len(lines1) != len(lines2):
        rep.outcome = "DifferentLengths"
        return rep
    n = len(lines1)
    x, y = [], []
    for a, b in zip(lines1, lines2):
        va = parse_number(a, sep)
        if va is None:
            rep.outcome = "InvalidInput"
            return rep
        vb = parse_number(b, sep)
        if vb is None:
            rep.outcome = "InvalidInput"
            return rep
        x.append(va)
        y.append(vb)
    try:
        r = correlation_coefficient(x, y, n)
        sx = sd_of(x, mean_of(x))
        sy = sd_of(y, mean_of(y))
        one_minus = esub(1, emul(r, r))
        root = esqrt(n - 1) if r < dbl(Q(3, 5)) else esqrt(n)
        sigma_r = dbl(ediv(one_minus, root))
        sigma_b = dbl(emul(ediv(one_minus, esqrt(n)), ediv(sx, sy)))
        sigma_b = round_digits(sigma_b, 3)
    except FloatFault as fault:
        rep.fault = str(fault)
        rep.outcome = "Fault"
        return rep
    lines = rep.lines
    lines.append("Длина:\t" + str(n))
    lines.append("R:\t" + format_fixed(r, 3, sep))
    _note_fixed(rep, "R", r, 3)
    lines.append("")
    lines.append("Ср. Кв. Ошибка R:\t\t±" + format_fixed(sigma_r, 3, sep))
    _note_fixed(rep, "sigmaR", sigma_r, 3)
    two = dbl(emul(2, sigma_r))
    three = dbl(emul(3, sigma_r))
    probable = dbl(emul(dbl(Q("0.67")), sigma_r))
    lines.append("Ср. Кв. Ошибка R X 2:\t±" + format_fixed(two, 3, sep))
    lines.append("Ср. Кв. Ошибка R X 3:\t±" + format_fixed(three, 3, sep))
    _note_fixed(rep, "3sigmaR", three, 3)
    lines.append("Вероятная ошибка R:\t±" + format_fixed(probable, 3, sep))
    _note_fixed(rep, "0.67sigmaR", probable, 3)
    # The factor may be held in extended: flag values near the tie either way.
    if fixed_near_tie(ext(Q("0.67")) * sigma_r, 3):
        rep.near_ties.append("0.67sigmaR")
    lines.append("")
    lines.append("СКО коэффициента регрессии:\t" + format_general(sigma_b, sep))
    return rep


# --- homogeneity report -------------------------------------------------------

def load_critical_tables(path):
    """Reads kFisherTable and kStudentTable from the generated data file."""
    import re
    text = open(path, encoding="utf-8").read()
    tables = {}
    for name in ("kFisherTable", "kStudentTable"):
        start = text.index(name)
        body = text[start:text.index("};", start)]
        body = re.sub(r"//[^\n]*", "", body)
        body = body[body.index("=") + 1:]
        numbers = re.findall(r"-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?", body)
        assert len(numbers) == 4 * 18 * 13, (name, len(numbers))
        values = [dbl(Q(t)) for t in numbers]
        tables[name] = [[[values[(L * 18 + r) * 13 + c] for c in range(13)]
                         for r in range(18)] for L in range(4)]
    return tables["kFisherTable"], tables["kStudentTable"]


WILCOXON_QUANTILES = ("3.09", "2.57", "2.33", "1.96", "1.65", "1.28", "1.06", "0.674")
WILCOXON_EXPONENTS = ("0.7154", "0.6132", "0.511", "0.4088", "0.3066", "0.2044", "0.1022")
WILCOXON_LINEAR = ("0.9", "0.8", "0.7", "0.6", "0.5", "0.4", "0.3", "0.2", "0.1", "0.05")


def critical(table, row, level, n):
    t10, t25, t50, t100 = (table[i][row][level] for i in range(4))
    if n == 10:
        return t10
    if n == 25:
        return t25
    if n == 50:
        return t50
    if n == 100:
        return t100
    if 10 < n < 25:
        low, high, base, span = t10, t25, 10, 15
    elif 25 < n < 50:
        low, high, base, span = t25, t50, 25, 25
    elif 50 < n < 100:
        low, high, base, span = t50, t100, 50, 50
    else:
        return Q(0)
    return dbl(eadd(low, ediv(emul(esub(high, low), n - base), span)))


def variance_factor(row):
    if row < 7:
        return Q(exp(float(Q(WILCOXON_EXPONENTS[row]))))
    if row == 7:
        return Q(1)
    return dbl(Q(WILCOXON_LINEAR[row - 8]))


def wilcoxon_u(x, y):
    pool = list(x) + list(y)
    labels = [1] * len(x) + [2] * len(y)
    count = len(pool)
    for i in range(count):
        current = pool[i]
        for j in range(i, count):
            if pool[j] > current:
                pool[i], pool[j] = pool[j], pool[i]
                labels[i], labels[j] = labels[j], labels[i]
                current = pool[i]
    first = labels[0]
    u = 0
    seen = 0
    for label in labels:
        if label == first:
            seen += 1
        else:
            u += seen
    return u


def homogeneity_report(lines1, lines2, row, level, sep, fisher, student):
    rep = Report()
    n1, n2 = len(lines1), len(lines2)
    if n1 <= 2 or n2 <= 2 or max(n1, n2) < 10:
        rep.outcome = "TooShort"
        return rep
    n = max(n1, n2)
    out = rep.lines
    # The second length is labelled N2 (the program mends the repeated "N1").
    out.append("Длины рядов:\tN1 = " + str(n1) + "\tN2 = " + str(n2))
    x, y = [], []
    for lines, target in ((lines1, x), (lines2, y)):
        for line in lines:
            v = parse_number(line, sep)
            if v is None:
                rep.outcome = "InvalidInput"
                return rep
            target.append(v)
    try:
        m1 = mean_of(x)
        m2 = mean_of(y)
        s1 = sd_of(x, m1)
        s2 = sd_of(y, m2)
        v1 = emul(s1, s1)
        v2 = emul(s2, s2)
        f = dbl(ediv(v1, v2) if v2 < v1 else ediv(v2, v1))
        fa = critical(fisher, row, level, n)
        weighted = esqrt(eadd(emul(n1, v1), emul(n2, v2)))
        scale = esqrt(ediv(n1 * n2 * (n1 + n2 - 2), n1 + n2))
        t = dbl(emul(ediv(abs(esub(m1, m2)), weighted), scale))
        ta = critical(student, row, level, n)
        wilcoxon = None
        if level <= 7:
            u = wilcoxon_u(x, y)
            mu = dbl(ediv(n1 * n2, 2))
            vu = dbl(emul(ediv(n1 * n2, 12), n1 + n2 + 1))
            delta = dbl(emul(esqrt(emul(variance_factor(row), vu)),
                             dbl(Q(WILCOXON_QUANTILES[level]))))
            u1 = dbl(esub(mu, delta))
            u2 = dbl(eadd(mu, delta))
            wilcoxon = (u, u1, u2)
    except FloatFault as fault:
        rep.fault = str(fault)
        rep.outcome = "Fault"
        return rep

    def general3(name, value):
        _note_general3(rep, name, value)
        return format_general(round_digits(value, 3), sep)

    def verdict(name, bad):
        return ("Ряды не однородны по критерию " if bad else "Ряды однородны по критерию ") \
            + name + "\t\"" + ("Нет" if bad else "Да") + "\""

    out.append("F = " + general3("F", f))
    out.append("Fa = " + general3("Fa", fa))
    out.append(verdict("Фишера", f > fa))
    if abs(f - fa) <= abs(fa) * Q(1, 10 ** 14):
        rep.near_ties.append("F~Fa")
    out.append("")
    out.append("t = " + general3("t", t))
    out.append("ta = " + general3("ta", ta))
    out.append(verdict("Стьюдента", t > ta))
    if abs(t - ta) <= abs(ta) * Q(1, 10 ** 14):
        rep.near_ties.append("t~ta")
    out.append("")
    if wilcoxon is not None:
        u, u1, u2 = wilcoxon
        out.append("U = " + str(u))
        out.append("U1 = " + general3("U1", u1) + "\t" + "U2 = " + general3("U2", u2))
        out.append(verdict("Вилькоксона", u < u1 or u > u2))
    return rep
