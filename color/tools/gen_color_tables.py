#!/usr/bin/env python3
"""Writes color/ColorTables.cpp, the program's fixed CIE tables, from the CIE CSV tables.

Usage: gen_color_tables.py CIE_DIR OUTPUT_CPP

CIE_DIR holds the 5 nm observer, daylight and test-colour-sample tables, the 1 nm spectral
locus and the Planckian (u, v) table (one header line, comma separated, "." decimals). The
numbers are copied digit for digit as text, so the compiler sees exactly the published decimals.
The white points and the daylight part of the temperature locus are not in those files; they are
fixed below.
"""

import csv
import pathlib
import sys

GRID = list(range(380, 781, 5))
LOCUS = list(range(380, 781, 1))

# X, Y, Z of A, C, D50, D55, D65, D75 (illuminant index order) for 2 and 10 degrees.
WHITE_POINTS = {
    2: [("109.85", "100.0", "35.58"), ("98.07", "100.0", "118.23"), ("96.42", "100.0", "82.49"),
        ("95.68", "100.0", "92.14"), ("95.04", "100.0", "108.89"), ("94.96", "100.0", "122.61")],
    10: [("111.15", "100.0", "35.20"), ("97.28", "100.0", "116.14"), ("96.72", "100.0", "81.41"),
         ("95.79", "100.0", "90.93"), ("94.81", "100.0", "107.32"), ("94.41", "100.0", "120.63")],
}

# Five rows keep these fixed values instead of the computed ones. They differ from a fresh
# Planckian computation by up to 5e-5 (no integration setting reproduces them), which moves a
# CCT near them by a few kelvin at most.
PLANCKIAN_KEPT_ROWS = {
    1000: ("0.448049", "0.354621"),
    2000: ("0.305100", "0.359058"),
    3000: ("0.250591", "0.347587"),
    4000: ("0.225117", "0.334392"),
    4950: ("0.211945", "0.323634"),
}

# 5000..25000 K: points near the CIE daylight locus (4 decimals). Two rows were mended against
# the daylight locus: the row once labelled 6600 K holds the 6500 K point (it sat between 6250
# and 6750 in 250 K steps and made D65 read about 6600 K), and 5900 K had u = 0.2021, out of
# sequence between 0.2022 and 0.2008, where the locus gives 0.2014.
DAYLIGHT_ROWS = [
    (5000, "0.2092", "0.3254"), (5100, "0.2081", "0.3244"), (5200, "0.2071", "0.3234"),
    (5300, "0.2062", "0.3224"), (5400, "0.2053", "0.3214"), (5500, "0.2044", "0.3205"),
    (5600, "0.2036", "0.3196"), (5700, "0.2029", "0.3187"), (5800, "0.2022", "0.3178"),
    (5900, "0.2014", "0.3169"), (6000, "0.2008", "0.3161"), (6100, "0.2001", "0.3153"),
    (6250, "0.1992", "0.3141"), (6500, "0.1978", "0.3122"), (6750, "0.1966", "0.3104"),
    (7000, "0.1955", "0.3087"), (7250, "0.1945", "0.3071"), (7500, "0.1935", "0.3057"),
    (7750, "0.1927", "0.3042"), (8000, "0.1919", "0.3029"), (8250, "0.1912", "0.3016"),
    (8500, "0.1906", "0.3005"), (9000, "0.1894", "0.2983"), (9500, "0.1884", "0.2963"),
    (10000, "0.1876", "0.2945"), (10500, "0.1868", "0.2929"), (11000, "0.1862", "0.2914"),
    (12000, "0.1850", "0.2889"), (13000, "0.1841", "0.2867"), (14000, "0.1834", "0.2849"),
    (15000, "0.1828", "0.2833"), (17000, "0.1819", "0.2808"), (20000, "0.1809", "0.2780"),
    (25000, "0.1798", "0.2749"),
]


def read_table(path, keys, columns):
    """Rows of path as text fields, checked against the expected keys and column count."""
    with open(path, newline="") as f:
        rows = list(csv.reader(f))[1:]
    if [int(r[0]) for r in rows] != keys:
        sys.exit(f"{path}: the first column is not {keys[0]}..{keys[-1]} in the expected steps")
    for r in rows:
        if len(r) != columns + 1:
            sys.exit(f"{path}: row {r[0]} has {len(r) - 1} values, expected {columns}")
        for field in r[1:]:
            float(field)  # rejects anything that is not a plain number
    return [[field.strip() for field in r[1:]] for r in rows]


def number(text):
    """A C++ double literal that reads as exactly the decimal in text."""
    return text if any(c in text for c in ".eE") else text + ".0"


def array_rows(rows, indent="    "):
    return "\n".join(indent + "{" + ", ".join(number(v) for v in r) + "}," for r in rows)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    cie = pathlib.Path(sys.argv[1])
    out = pathlib.Path(sys.argv[2])

    cmf2 = read_table(cie / "cmf_cie1931_2deg_5nm.csv", GRID, 3)
    cmf10 = read_table(cie / "cmf_cie1964_10deg_5nm.csv", GRID, 3)
    daylight = read_table(cie / "daylight_S0S1S2_5nm.csv", GRID, 3)
    tcs = read_table(cie / "tcs_cie13_3_5nm.csv", GRID, 14)
    locus = read_table(cie / "spectral_locus_cie1931_1nm.csv", LOCUS, 2)
    temps = list(range(1000, 4951, 50))
    planck = read_table(cie / "planckian_uv_1000_4950K.csv", temps, 2)

    temperature_rows = []
    for t, (u, v) in zip(temps, planck):
        u, v = PLANCKIAN_KEPT_ROWS.get(t, (u, v))
        temperature_rows.append((str(t), u, v))
    temperature_rows += [(str(t), u, v) for t, u, v in DAYLIGHT_ROWS]
    if len(temperature_rows) != 114:
        sys.exit("the temperature locus must have 114 rows")
    if [int(r[0]) for r in temperature_rows] != sorted(int(r[0]) for r in temperature_rows):
        sys.exit("the temperature locus must ascend in temperature")

    grid = "\n".join("    " + ", ".join(number(str(w)) for w in GRID[i:i + 9]) + ","
                     for i in range(0, len(GRID), 9))
    white = [[list(WHITE_POINTS[obs][i]) for i in range(6)] for obs in (2, 10)]

    text = f"""// Generated by color/tools/gen_color_tables.py from the CIE tables; do not edit by hand.
// clang-format off
#include "color/ColorTables.h"

const std::array<double, kCieGridCount> kCieGridWavelengths = {{
{grid}
}};

const std::array<std::array<double, 3>, kCieGridCount> kCieObserver2 = {{{{
{array_rows(cmf2)}
}}}};

const std::array<std::array<double, 3>, kCieGridCount> kCieObserver10 = {{{{
{array_rows(cmf10)}
}}}};

const std::array<std::array<std::array<double, 3>, kCieIlluminantCount>, 2> kCieWhitePoints = {{{{
    {{{{  // 2 degrees
{array_rows(white[0], "        ")}
    }}}},
    {{{{  // 10 degrees
{array_rows(white[1], "        ")}
    }}}},
}}}};

const std::array<CieLocusRow, kCieLocusCount> kCieSpectralLocus = {{{{
{array_rows([[str(w)] + r for w, r in zip(LOCUS, locus)])}
}}}};

const std::array<CieTemperatureRow, kCieTemperatureRowCount> kCieTemperatureLocus = {{{{
{array_rows(temperature_rows)}
}}}};

const std::array<std::array<double, 3>, kCieGridCount> kCieDaylightComponents = {{{{
{array_rows(daylight)}
}}}};

const std::array<std::array<double, kCieTestSampleCount>, kCieGridCount> kCieTestColourSamples = {{{{
{array_rows(tcs)}
}}}};
// clang-format on
"""
    out.write_text(text)


if __name__ == "__main__":
    main()
