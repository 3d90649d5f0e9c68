#!/usr/bin/env python3
"""Writes random worksheet lines that call the fifteen functions and the power operator, from
a fixed seed, so that the same lines come out on every run and every machine.

Arguments reach from the smallest subnormals to 1e300, with extra weight where results are
hard: near 1 for the logarithms and the power, near multiples of pi/2 for the trigonometric
functions, at the ends of the domains of asin and acos, near overflow and underflow for exp
and the power, negative bases with integer exponents.

Usage: maths-lines.py COUNT [SEED] > lines.sheet
The golden set tests/golden/maths_random.sheet is `maths-lines.py 20000` (seed 13).
"""

import math
import random
import sys

UNARY = ["sin", "cos", "tan", "cot", "sec", "csc", "asin", "acos", "atan", "ln", "log", "exp",
         "sqrt", "root"]
TRIG = {"sin", "cos", "tan", "cot", "sec", "csc"}


def number(value):
    """The shortest text that reads back as the same double."""
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def operand(value):
    """A number as an operand of ^: negative numbers in parentheses."""
    text = number(value)
    return "(" + text + ")" if text.startswith("-") else text


def signed(rng, value):
    return -value if rng.random() < 0.5 else value


def wide(rng):
    return signed(rng, 10.0 ** rng.uniform(-300.0, 300.0))


def tiny(rng):
    """Subnormals and the smallest normals."""
    return signed(rng, rng.randint(1, 2**53) * 2.0**-1074 * 2.0 ** rng.randint(0, 20))


def argument(rng, name):
    value = any_argument(rng, name)
    # Mostly inside the domain: a NaN says little.
    if name in ("ln", "log", "sqrt", "root") and rng.random() < 0.9:
        return abs(value)
    if name in ("asin", "acos") and abs(value) > 1.0 and rng.random() < 0.9:
        return value / 10.0 ** math.ceil(math.log10(abs(value)) + 1e-9)
    return value


def any_argument(rng, name):
    kind = rng.random()
    if kind < 0.25:
        return wide(rng)
    if kind < 0.45:
        return rng.uniform(-10.0, 10.0)
    if kind < 0.5:
        return tiny(rng)
    if kind < 0.55:
        return float(rng.randint(-50, 50))
    if name in TRIG:
        if kind < 0.8:  # near a multiple of pi/2, small to huge multiples
            k = rng.randint(-(10 ** rng.randint(1, 15)), 10 ** rng.randint(1, 15))
            return k * math.pi / 2 + signed(rng, 10.0 ** rng.uniform(-16.0, -1.0))
        return signed(rng, 10.0 ** rng.uniform(5.0, 22.0))
    if name in ("asin", "acos"):
        if kind < 0.8:
            return signed(rng, 1.0 - 10.0 ** rng.uniform(-16.0, -1.0))
        return rng.uniform(-1.05, 1.05)
    if name in ("ln", "log", "sqrt", "root"):
        if kind < 0.8:
            return 1.0 + signed(rng, 10.0 ** rng.uniform(-16.0, -1.0))
        return 10.0 ** rng.uniform(-300.0, 300.0)
    if name == "exp":
        if kind < 0.8:  # near overflow and underflow
            return rng.choice([rng.uniform(700.0, 709.8), rng.uniform(-745.2, -700.0)])
        return rng.uniform(-800.0, 800.0)
    return rng.uniform(-1e3, 1e3)


def power(rng):
    """A base and an exponent: ordinary, near 1 with large exponents, negative bases with
    integer exponents, results near overflow or underflow, and anything at all."""
    kind = rng.random()
    if kind < 0.25:
        return rng.uniform(0.0, 10.0), rng.uniform(-10.0, 10.0)
    if kind < 0.4:
        return 1.0 + signed(rng, 10.0 ** rng.uniform(-16.0, -2.0)), signed(
            rng, 10.0 ** rng.uniform(2.0, 18.0))
    if kind < 0.55:
        return -10.0 ** rng.uniform(-20.0, 20.0), float(rng.randint(-60, 60))
    if kind < 0.75:
        x = 10.0 ** rng.uniform(-30.0, 30.0)
        if x == 1.0:
            x = 2.0
        target = rng.choice([rng.uniform(700.0, 709.8), rng.uniform(-745.2, -700.0)])
        return x, target / math.log(x)
    return wide(rng), signed(rng, 10.0 ** rng.uniform(-5.0, 3.0))


def line(rng):
    choice = rng.randrange(len(UNARY) + 2)
    if choice < len(UNARY):
        name = UNARY[choice]
        return "%s(%s)" % (name, number(argument(rng, name)))
    x, y = power(rng)
    if choice == len(UNARY):
        return "pow(%s,%s)" % (number(x), number(y))
    return "%s^%s" % (operand(x), operand(y))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    count = int(sys.argv[1])
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) == 3 else 13)
    out = sys.stdout
    for _ in range(count):
        out.write(line(rng) + "\n")


if __name__ == "__main__":
    main()
