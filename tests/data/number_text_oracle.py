#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Exact oracle for the number text routines.

Replays RealToText, TextToReal and RoundToPower step by step with rational
arithmetic: every extended operation is the exact result rounded to a 64-bit
significand (ties to even, denormals included, beyond the range an overflow),
every double the exact value rounded to 53 bits. Nothing here uses the C
library's conversions. The rows it writes to number_text_oracle.inc are
checked by the oracle tests of tests/number/test_real_to_text.cpp,
test_text_to_real.cpp and test_round_to_power.cpp.

    python3 tests/data/number_text_oracle.py      # rewrite number_text_oracle.inc
"""

import os
import random
from fractions import Fraction

from power_of_ten_tables import (BIAS, Overflow, floor_log2, image, nearest_power,
                                 round_extended)

SEED = 20240611
TWO = Fraction(2)


def round_binary(x, bits, min_normal_exp, max_exp):
    """x rounded to `bits` significant bits, ties to even, with denormals."""
    if x == 0:
        return Fraction(0)
    sign = -1 if x < 0 else 1
    x = abs(x)
    ulp_exp = max(floor_log2(x) - (bits - 1), min_normal_exp - (bits - 1))
    scaled = x / TWO ** ulp_exp
    q = round_half_even(scaled)
    result = Fraction(q) * TWO ** ulp_exp
    if result >= TWO ** (max_exp + 1):
        raise Overflow()
    return sign * result


def round_double(x):
    return round_binary(Fraction(x), 53, -1022, 1023)


def round_half_even(x):
    q, r = divmod(x.numerator, x.denominator)
    if 2 * r > x.denominator or (2 * r == x.denominator and q % 2 == 1):
        q += 1
    return q


R = round_extended


def scale(v, n):
    """v × 10^n through the three tables, each step rounded."""
    m = abs(n)
    for k in (m % 32, 32 * ((m // 32) % 16), 512 * (m // 512)):
        if k:
            p = nearest_power(k)
            v = R(v * p) if n > 0 else R(v / p)
    return v


# ---------------------------------------------------------------- TextToReal

def text_to_real(text):
    """(value, negative, position); value is a Fraction or 'INF'.
    Raises Overflow where the program raises EOverflow."""
    n = len(text)
    i = 0
    while i < n and text[i] == ' ':
        i += 1
    negative = False
    if i < n and text[i] in '+-':
        negative = text[i] == '-'
        i += 1
    if i == n:
        return Fraction(0), False, n + 1
    v = Fraction(0)
    while i < n and text[i].isdigit():
        v = R(R(v * 10) + int(text[i]))
        i += 1
    f = 0
    if i < n and text[i] == '.':
        i += 1
        while i < n and text[i].isdigit():
            v = R(R(v * 10) + int(text[i]))
            f += 1
            i += 1
    x = 0
    if i < n and text[i] in 'Ee':
        i += 1
        exp_negative = False
        if i < n and text[i] in '+-':
            exp_negative = text[i] == '-'
            i += 1
        if i == n:
            return v, False, n + 1
        if not text[i].isdigit():
            return v, False, i + 1
        while i < n and text[i].isdigit():
            x = x * 10 + int(text[i])
            i += 1
        if exp_negative:
            x = -x
    if i < n:
        return v, False, i + 1
    e = x - f
    if v == 0 or e <= -5120:
        return Fraction(0), negative, 0
    if e >= 5120:
        return 'INF', negative, 0
    return scale(v, e), negative, 0


# ---------------------------------------------------------------- RealToText

def real_to_text(x, negative):
    """The display text of a positive normal extended value x."""
    e = floor_log2(x)
    E = (e * 19728) // 65536 + 1
    while True:
        digits = round_half_even(scale(x, 18 - E))
        if digits >= 10 ** 17:
            break
        E -= 1
    while digits >= 10 ** 18:
        q, r = divmod(digits, 10)
        if r > 5 or (r == 5 and q % 2 == 1):
            q += 1
        digits = q
        E += 1
    fifteen = digits // 1000 + (1 if digits % 1000 >= 500 else 0)
    if fifteen == 10 ** 15:
        fifteen = 10 ** 14
        E += 1
    d = str(fifteen).rstrip('0')
    sign = '-' if negative else ''
    if E > 15 or E < -3:
        mantissa = d[0] + ('.' + d[1:] if len(d) > 1 else '')
        return '%s%sE%d' % (sign, mantissa, E - 1)
    if E <= 0:
        return sign + '0.' + '0' * (-E) + d
    whole = (d + '0' * E)[:E]
    rest = d[E:]
    return sign + whole + ('.' + rest if rest else '')


# -------------------------------------------------------------- RoundToPower

def round_to_power(value, d):
    """The double result, or 'INVALID' where EInvalidOp is raised."""
    if d == 0:
        factor = Fraction(1)
    else:
        m = abs(d)
        result, square = Fraction(1), Fraction(10)
        while True:
            if m & 1:
                result = R(result * square)
            m >>= 1
            if m == 0:
                break
            square = R(square * square)
        factor = result if d > 0 else R(1 / result)
    factor = round_double(factor)
    n = round_half_even(R(value / factor))
    if not -2 ** 63 <= n < 2 ** 63:
        return 'INVALID'
    return round_double(R(n * factor))


def double_bits(x):
    """The IEEE bits of a double given exactly as a Fraction."""
    if x == 0:
        return 0
    sign = 1 if x < 0 else 0
    x = abs(x)
    e = max(floor_log2(x), -1022)
    s = x / TWO ** (e - 52)
    assert s.denominator == 1
    s = s.numerator
    field = e + 1023 if s >= 1 << 52 else 0
    return (sign << 63) | (field << 52) | (s & ((1 << 52) - 1))


# ------------------------------------------------------------------- inputs

def extended_from_fields(field, significand):
    return Fraction(significand) * TWO ** (field - BIAS - 63)


def real_inputs(rng):
    values = []
    # Anywhere in the range.
    for _ in range(120):
        values.append(extended_from_fields(rng.randint(1, 0x7FFE),
                                           rng.getrandbits(63) | 1 << 63))
    # Typical magnitudes of money and rates.
    for _ in range(40):
        values.append(extended_from_fields(rng.randint(BIAS - 40, BIAS + 60),
                                           rng.getrandbits(63) | 1 << 63))
    # Next to powers of ten, across the range.
    for k in [rng.randint(-4930, 4931) for _ in range(30)] + list(range(-6, 22)):
        p = nearest_power(k) if k >= 0 else R(Fraction(1, 10 ** -k))
        s, exp = significand_of(p)
        for delta in (-1, 0, 1):
            values.append(Fraction(s + delta) * TWO ** exp)
    # The 16th digit 5 with the 15 digits ending in 9s: carries through d1.
    for _ in range(30):
        k = rng.randint(-30, 30)
        nines = rng.randint(1, 15)
        digits = rng.randint(10 ** 14, 10 ** 15 - 1)
        digits = digits - digits % 10 ** nines + 10 ** nines - 1
        values.append(R(Fraction(digits * 10 + 5) * Fraction(10) ** k))
    # Ties at the 18th and at the dropped 19th digit, exact in extended.
    for _ in range(10):
        values.append(Fraction(2 * rng.randint(10 ** 17, 10 ** 18 - 1) + 1, 2))
        values.append(Fraction(rng.randint(10 ** 17, 115 * 10 ** 15) * 10 + 5))
    # The ends of the range.
    values.append(extended_from_fields(0x7FFE, (1 << 64) - 1))
    values.append(extended_from_fields(1, 1 << 63))
    values.append(extended_from_fields(1, (1 << 64) - 1))
    return values


def significand_of(x):
    e = floor_log2(x)
    s = x / TWO ** (e - 63)
    return s.numerator, e - 63


def text_inputs(rng):
    texts = []
    for _ in range(160):
        count = rng.randint(1, 26)
        digits = ''.join(rng.choice('0123456789') for _ in range(count))
        point = rng.randint(0, count)
        body = digits[:point] + ('.' if point < count or rng.random() < 0.2 else '') + digits[point:]
        exponent = rng.choice([0, 0, rng.randint(-40, 40), rng.randint(-5000, 5000),
                               rng.randint(4900, 4960), -rng.randint(4900, 4990)])
        text = rng.choice(['', '-', '+']) + body
        if exponent or rng.random() < 0.2:
            text += rng.choice('Ee') + ('%+d' % exponent if rng.random() < 0.5 else str(exponent))
        texts.append(text)
    # 19 to 25 digits: where the two roundings of each digit step show.
    for _ in range(40):
        texts.append(str(rng.randint(10 ** 18, 10 ** 25)))
    texts += ['1E-30', '1E300', '38145170902099824179', '1E4932', '1E4933', '1E5120',
              '1.0E5120', '1E-4940', '1E-5000', '1.18973149535723176502E4932',
              '1.18973149535723176508E4932', '3.36210314311209350626E-4932',
              '3.64519953188247E-4951', '0.0000001E-4944', '18446744073709551615',
              '18446744073709551616', '99999999999999999999999', '123456789012345678901E-20']
    return texts


def double_inputs(rng):
    values = [Fraction(2.5), Fraction(3.5), Fraction(-2.5), Fraction(0.5)]
    for _ in range(30):
        values.append(round_double(Fraction(rng.randint(-10 ** 7, 10 ** 7), 1000)))
    for _ in range(20):
        values.append(round_double(Fraction(2 * rng.randint(-10 ** 9, 10 ** 9) + 1, 2)))
    for _ in range(10):
        values.append(round_double(Fraction(rng.randint(0, 10 ** 6), 10 ** 5)))
    values += [Fraction(2 ** 63 - 1024), Fraction(2 ** 63), Fraction(-2 ** 63),
               Fraction(-2 ** 63 - 2048), Fraction(618485, 1000)]
    return [round_double(v) for v in values]


# ------------------------------------------------------------------- output

def c_string(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def main():
    rng = random.Random(SEED)
    lines = ['// Generated by tests/data/number_text_oracle.py (seed %d); do not edit.' % SEED]

    lines.append('#ifdef REAL_TO_TEXT_ROW')
    for x in real_inputs(rng):
        negative = rng.random() < 0.3
        lines.append('REAL_TO_TEXT_ROW("%s", %s)' % (image(x, negative), c_string(real_to_text(x, negative))))
    lines.append('#endif')

    lines.append('#ifdef TEXT_TO_REAL_ROW')
    for text in text_inputs(rng):
        try:
            value, negative, position = text_to_real(text)
            if value == 'INF':
                result = ('FFFF' if negative else '7FFF') + '8000000000000000'
            else:
                result = image(value, negative)
        except Overflow:
            result, position = 'OVERFLOW', 0
        lines.append('TEXT_TO_REAL_ROW(%s, "%s", %d)' % (c_string(text), result, position))
    lines.append('#endif')

    lines.append('#ifdef ROUND_TO_POWER_ROW')
    for value in double_inputs(rng):
        for d in (0, -2):
            result = round_to_power(value, d)
            expected = 'true, 0' if result == 'INVALID' else 'false, 0x%016Xull' % double_bits(result)
            lines.append('ROUND_TO_POWER_ROW(0x%016Xull, %d, %s)' % (double_bits(value), d, expected))
    lines.append('#endif')

    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'number_text_oracle.inc')
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
