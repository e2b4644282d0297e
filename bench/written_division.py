"""The written form of a long division, shared by the benchmark's puzzle
makers: the lines of the body as they stand on paper."""


def written_lines(divisor, quotient, remainder):
    """The body of the written division: dividend, then for each nonzero
    quotient digit its partial product and the difference line below it,
    each placed by leading blanks under the dividend's columns; the final
    remainder last."""
    dividend = divisor * quotient + remainder
    text = str(dividend)
    n, q = len(text), len(str(quotient))
    digits = [int(c) for c in str(quotient)]
    lines = [text]
    nonzero = [k for k in range(q) if digits[k] != 0]
    for i, k in enumerate(nonzero):
        end = n - q + k  # dividend column where P_k ends
        product = divisor * digits[k]
        lines.append(" " * (end + 1 - len(str(product))) + str(product))
        if i + 1 < len(nonzero):
            j = nonzero[i + 1]
            # What remains after step k with the dividend digits brought down to column n-q+j.
            prefix = int(text[: n - q + j + 1])
            value = prefix - divisor * int("".join(map(str, digits[:j]))) * 10
            end_j = n - q + j
            lines.append(" " * (end_j + 1 - len(str(value))) + str(value))
    lines.append(str(remainder))
    return lines


def problem_bytes(lines, condition=None):
    """A problem file (cp932, CR LF): divisor, quotient, body, condition."""
    if condition is not None:
        lines = lines + ["<!--JOUKEN=%d" % condition]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")
