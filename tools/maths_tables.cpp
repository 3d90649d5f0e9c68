// Writes engine/MathsTableData.cpp: the tables and constants of the engine's logarithm,
// exponential, tangent and inverse trigonometric functions, each value computed with MPFR at 256
// bits and rounded to the nearest double (a pair of doubles where the engine needs more: hi + lo).
// The file is kept in the repository; a test runs this program again and compares.
//   maths_tables > engine/MathsTableData.cpp
#include <mpfr.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

constexpr mpfr_prec_t kPrecision = 256;

class Big {
public:
    Big() { mpfr_init2(m_value, kPrecision); }
    ~Big() { mpfr_clear(m_value); }
    Big(const Big&) = delete;
    Big& operator=(const Big&) = delete;
    mpfr_ptr operator*() { return m_value; }

private:
    mpfr_t m_value;
};

// The value as hi + lo, each the nearest double.
void Split(mpfr_ptr value, double& hi, double& lo) {
    Big rest;
    hi = mpfr_get_d(value, MPFR_RNDN);
    mpfr_sub_d(*rest, value, hi, MPFR_RNDN);
    lo = mpfr_get_d(*rest, MPFR_RNDN);
}

// A double rounded to `bits` significant bits, so that products with it lose nothing.
double Shorten(double value, int bits) {
    Big v;
    mpfr_set_prec(*v, bits);
    mpfr_set_d(*v, value, MPFR_RNDN);
    return mpfr_get_d(*v, MPFR_RNDN);
}

double FromBits(uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void PrintPair(const char* name, mpfr_ptr value) {
    double hi;
    double lo;
    Split(value, hi, lo);
    std::printf("const DoubleDouble %s = {%a, %a};\n", name, hi, lo);
}

// v = j / n.
void SetRatio(mpfr_ptr v, long j, unsigned long n) {
    mpfr_set_si(v, j, MPFR_RNDN);
    mpfr_div_ui(v, v, n, MPFR_RNDN);
}

// One row {hi, lo} of a table of pairs, after `indent`.
void PrintPairRow(const char* indent, mpfr_ptr value) {
    double hi;
    double lo;
    Split(value, hi, lo);
    std::printf("%s{%a, %a},\n", indent, hi, lo);
}

// One entry {c, -ln(c) as hi + lo}; the head is a multiple of 2^-42, like every multiple of the
// head of ln 2, so that their sum is exact.
void PrintLogEntry(double c) {
    Big lnc;
    mpfr_set_d(*lnc, c, MPFR_RNDN);
    mpfr_log(*lnc, *lnc, MPFR_RNDN);
    mpfr_neg(*lnc, *lnc, MPFR_RNDN);
    Big head;
    mpfr_mul_2si(*head, *lnc, 42, MPFR_RNDN);
    mpfr_rint(*head, *head, MPFR_RNDN);
    mpfr_mul_2si(*head, *head, -42, MPFR_RNDN);
    double hi = mpfr_get_d(*head, MPFR_RNDN);
    mpfr_sub(*lnc, *lnc, *head, MPFR_RNDN);
    const double lo = mpfr_get_d(*lnc, MPFR_RNDN);
    if (c == 1.0) {
        hi = 0.0; // not -0
    }
    std::printf("    {%a, %a, %a},\n", c, hi, lo);
}

// The logarithm's table: the reduced argument z lies in [kLogOffset, 2 * kLogOffset), cut into
// 128 pieces by its top bits; piece i has c close to 1 / z (24 bits) and -ln(c) as hi + lo.
// The piece that holds 1 has c = 1, so that ln of x near 1 keeps its relative accuracy.
void PrintLogTable() {
    constexpr uint64_t kOffset = 0x3FE6B00000000000;
    std::printf("const LogEntry kLogTable[128] = {\n");
    for (uint64_t i = 0; i < 128; ++i) {
        const uint64_t low = kOffset + (i << 45);
        const double first = FromBits(low);
        const double last = FromBits(low + (uint64_t{1} << 45) - 1);
        const double c = first <= 1.0 && 1.0 <= last ? 1.0 : Shorten(2.0 / (first + last), 24);
        PrintLogEntry(c);
    }
    std::printf("};\n\n");
}

// The fast logarithm's table: the same pieces, but c has only 8 bits, so that z * c - 1 is a
// double (53 bits) for every z of the piece and can be formed exactly without splitting z. Again
// the piece that holds 1 has c = 1. The program stops if some piece's |z * c - 1| reaches 2^-7,
// which that exactness needs, or if some c other than 1 has |ln c| below 2^-8, which the sum of
// ln c and r needs.
void PrintLogShortTable() {
    constexpr uint64_t kOffset = 0x3FE6B00000000000;
    std::printf("const LogEntry kLogShortTable[128] = {\n");
    for (uint64_t i = 0; i < 128; ++i) {
        const uint64_t low = kOffset + (i << 45);
        const double first = FromBits(low);
        const double last = FromBits(low + (uint64_t{1} << 45) - 1);
        const double c = first <= 1.0 && 1.0 <= last ? 1.0 : Shorten(2.0 / (first + last), 8);
        for (const double z : {first, last}) {
            Big r;
            mpfr_set_d(*r, z, MPFR_RNDN);
            mpfr_mul_d(*r, *r, c, MPFR_RNDN);
            mpfr_sub_ui(*r, *r, 1, MPFR_RNDN);
            mpfr_abs(*r, *r, MPFR_RNDN);
            if (mpfr_cmp_ui_2exp(*r, 1, -7) >= 0) {
                std::fprintf(stderr, "maths_tables: piece %d is too wide for c = %a\n",
                             static_cast<int>(i), c);
                std::exit(1);
            }
        }
        Big lnc;
        mpfr_set_d(*lnc, c, MPFR_RNDN);
        mpfr_log(*lnc, *lnc, MPFR_RNDN);
        mpfr_abs(*lnc, *lnc, MPFR_RNDN);
        if (c != 1.0 && mpfr_cmp_ui_2exp(*lnc, 1, -8) < 0) {
            std::fprintf(stderr, "maths_tables: ln c of piece %d is too small\n",
                         static_cast<int>(i));
            std::exit(1);
        }
        PrintLogEntry(c);
    }
    std::printf("};\n\n");
}

// 2^(j/n) for j = 0..n-1, as hi + lo.
void PrintExpTable(const char* name, int n) {
    std::printf("const DoubleDouble %s[%d] = {\n", name, n);
    for (int j = 0; j < n; ++j) {
        Big v;
        SetRatio(*v, j, static_cast<unsigned long>(n));
        mpfr_exp2(*v, *v, MPFR_RNDN);
        PrintPairRow("    ", *v);
    }
    std::printf("};\n\n");
}

// The arctangent's table, two rows for the two ways the result is formed from atan(j/64),
// j = 0..64: atan(c) and pi/2 - atan(c), each as hi + lo.
void PrintAtanTable() {
    const double kOffsets[2] = {0.0, 0.5}; // times pi
    std::printf("const DoubleDouble kAtanTable[2][65] = {\n");
    for (int row = 0; row < 2; ++row) {
        std::printf("    {\n");
        for (int j = 0; j <= 64; ++j) {
            Big v;
            Big pi;
            SetRatio(*v, j, 64);
            mpfr_atan(*v, *v, MPFR_RNDN);
            mpfr_const_pi(*pi, MPFR_RNDN);
            mpfr_mul_d(*pi, *pi, kOffsets[row], MPFR_RNDN);
            if (row % 2 == 1) {
                mpfr_sub(*v, *pi, *v, MPFR_RNDN);
            } else {
                mpfr_add(*v, *pi, *v, MPFR_RNDN);
            }
            PrintPairRow("        ", *v);
        }
        std::printf("    },\n");
    }
    std::printf("};\n\n");
}

// One entry of the arcsine's table for the point c: asin(c) as hi + lo, then the Taylor
// coefficients a1 (as a 27-bit head and the rest) to a9 of asin(c + d). With
// g = asin' = (1 - x^2)^(-1/2), (1 - x^2) g' = x g gives
// g_(n+1) = (c (2n+1) g_n + n g_(n-1)) / ((1 - c^2)(n+1)), and a_(n+1) = g_n / (n+1).
void PrintAsinEntry(mpfr_ptr c) {
    Big v;
    Big w; // 1 - c^2
    mpfr_asin(*v, c, MPFR_RNDN);
    double hi;
    double lo;
    Split(*v, hi, lo);
    std::printf("    {%a, %a,", hi, lo);
    mpfr_sqr(*w, c, MPFR_RNDN);
    mpfr_ui_sub(*w, 1, *w, MPFR_RNDN);
    Big g[10];
    mpfr_rec_sqrt(*g[0], *w, MPFR_RNDN);
    for (int n = 0; n < 9; ++n) {
        Big t;
        mpfr_mul_ui(*g[n + 1], c, static_cast<unsigned long>(2 * n + 1), MPFR_RNDN);
        mpfr_mul(*g[n + 1], *g[n + 1], *g[n], MPFR_RNDN);
        if (n > 0) {
            mpfr_mul_ui(*t, *g[n - 1], static_cast<unsigned long>(n), MPFR_RNDN);
            mpfr_add(*g[n + 1], *g[n + 1], *t, MPFR_RNDN);
        }
        mpfr_div(*g[n + 1], *g[n + 1], *w, MPFR_RNDN);
        mpfr_div_ui(*g[n + 1], *g[n + 1], static_cast<unsigned long>(n + 1), MPFR_RNDN);
    }
    // a1 with a head of 27 bits, whose products with the 26-bit halves of d are exact.
    hi = Shorten(mpfr_get_d(*g[0], MPFR_RNDN), 27);
    {
        Big rest;
        mpfr_sub_d(*rest, *g[0], hi, MPFR_RNDN);
        lo = mpfr_get_d(*rest, MPFR_RNDN);
    }
    std::printf(" %a, %a, {", hi, lo);
    for (int n = 1; n <= 8; ++n) {
        Big a;
        mpfr_div_ui(*a, *g[n], static_cast<unsigned long>(n + 1), MPFR_RNDN);
        std::printf("%a%s", mpfr_get_d(*a, MPFR_RNDN), n < 8 ? ", " : "}},\n");
    }
}

// The arcsine's table: first the points c = j/128, j = 0..64, for [0, 1/2]; then, for
// 2^-5 <= 1 - x < 1/2, the points c = 1 - yc, where yc is the middle of one of 32 equal pieces
// of a binade of 1 - x, binades from [2^-5, 2^-4) up, so that the distance from c to the pole at
// 1 is at least 64 times the piece's half-width.
void PrintAsinTable() {
    constexpr int kFirstBinade = -5;
    constexpr int kPieces = 32;
    std::printf("const AsinEntry kAsinTable[%d] = {\n", 65 + (-1 - kFirstBinade) * kPieces);
    for (int j = 0; j <= 64; ++j) {
        Big c;
        SetRatio(*c, j, 128);
        PrintAsinEntry(*c);
    }
    for (int binade = kFirstBinade; binade < -1; ++binade) {
        for (int k = 0; k < kPieces; ++k) {
            // c = 1 - (1 + (k + 1/2) / 32) 2^binade, exact here and as a double
            Big c;
            mpfr_set_si(*c, 2 * kPieces + 2 * k + 1, MPFR_RNDN);
            mpfr_mul_2si(*c, *c, binade - 6, MPFR_RNDN);
            mpfr_ui_sub(*c, 1, *c, MPFR_RNDN);
            PrintAsinEntry(*c);
        }
    }
    std::printf("};\n\n");
}

// The tangent's table, two rows: tan(c) and cot(c) as hi + lo for the points c = j/256,
// j = 32..202, which cover [1/8, pi/4] and the hair beyond it that the reduction
// can leave.
void PrintTanTable() {
    constexpr int kFirst = 32;
    constexpr int kLast = 202;
    std::printf("const DoubleDouble kTanTable[2][%d] = {\n", kLast - kFirst + 1);
    for (int row = 0; row < 2; ++row) {
        std::printf("    {\n");
        for (int j = kFirst; j <= kLast; ++j) {
            Big v;
            SetRatio(*v, j, 256);
            if (row == 0) {
                mpfr_tan(*v, *v, MPFR_RNDN);
            } else {
                mpfr_cot(*v, *v, MPFR_RNDN);
            }
            PrintPairRow("        ", *v);
        }
        std::printf("    },\n");
    }
    std::printf("};\n\n");
}

void PrintConstants() {
    Big v;
    Big rest;
    // ln 2 with a short head, so that k * head is exact for every exponent k (|k| < 2^11).
    mpfr_const_log2(*v, MPFR_RNDN);
    const double ln2Head = Shorten(mpfr_get_d(*v, MPFR_RNDN), 42);
    mpfr_sub_d(*rest, *v, ln2Head, MPFR_RNDN);
    std::printf("const DoubleDouble kLn2 = {%a, %a};\n", ln2Head, mpfr_get_d(*rest, MPFR_RNDN));
    // ln 2 / 128 in three parts: a head of 34 bits (k * head exact for |k| < 2^19), then two.
    mpfr_div_ui(*v, *v, 128, MPFR_RNDN);
    const double stepHead = Shorten(mpfr_get_d(*v, MPFR_RNDN), 34);
    mpfr_sub_d(*rest, *v, stepHead, MPFR_RNDN);
    const double stepMid = mpfr_get_d(*rest, MPFR_RNDN);
    mpfr_sub_d(*rest, *rest, stepMid, MPFR_RNDN);
    std::printf("const double kLn2By128[3] = {%a, %a, %a};\n", stepHead, stepMid,
                mpfr_get_d(*rest, MPFR_RNDN));
    mpfr_const_log2(*v, MPFR_RNDN);
    mpfr_ui_div(*v, 128, *v, MPFR_RNDN);
    std::printf("const double k128ByLn2 = %a;\n", mpfr_get_d(*v, MPFR_RNDN));
    // ln 2 / 1024 as a head of 32 bits (k * head exact for |k| < 2^21) and the rest.
    mpfr_const_log2(*v, MPFR_RNDN);
    mpfr_div_ui(*v, *v, 1024, MPFR_RNDN);
    const double fineHead = Shorten(mpfr_get_d(*v, MPFR_RNDN), 32);
    mpfr_sub_d(*rest, *v, fineHead, MPFR_RNDN);
    std::printf("const double kLn2By1024[2] = {%a, %a};\n", fineHead, mpfr_get_d(*rest, MPFR_RNDN));
    mpfr_const_log2(*v, MPFR_RNDN);
    mpfr_ui_div(*v, 1024, *v, MPFR_RNDN);
    std::printf("const double k1024ByLn2 = %a;\n", mpfr_get_d(*v, MPFR_RNDN));
    mpfr_set_ui(*v, 10, MPFR_RNDN);
    mpfr_log(*v, *v, MPFR_RNDN);
    mpfr_ui_div(*v, 1, *v, MPFR_RNDN);
    PrintPair("kInvLn10", *v);
    mpfr_const_pi(*v, MPFR_RNDN);
    PrintPair("kPi", *v);
    mpfr_div_ui(*v, *v, 2, MPFR_RNDN);
    PrintPair("kHalfPi", *v);
}

} // namespace

int main() {
    std::printf("// Generated by tools/maths_tables.cpp with MPFR; do not edit.\n");
    std::printf("// clang-format off\n");
    std::printf("#include \"engine/MathsKernels.h\"\n\n");
    std::printf("namespace maths {\n\n");
    PrintLogTable();
    PrintLogShortTable();
    PrintExpTable("kExpTable", 128);
    PrintExpTable("kExpFineTable", 1024);
    PrintAtanTable();
    PrintAsinTable();
    PrintTanTable();
    PrintConstants();
    std::printf("\n} // namespace maths\n");
    return 0;
}
