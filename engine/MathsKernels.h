#pragma once

// Inner pieces of the logarithm, exponential and arctangent, shared by Exp, Ln, Log10, Pow and
// the inverse trigonometric functions, and the tables they and the tangent read
// (engine/MathsTableData.cpp, made by tools/maths_tables.cpp). Not for use outside the maths
// module.
#include "engine/DoubleDouble.h"

#include <cstdint>
#include <cstring>

namespace maths {

// One piece of the logarithm's table: c close to 1/z for the piece's z, and -ln(c).
struct LogEntry {
    double invc;
    double logcHi;
    double logcLo;
};

// One point c of the arcsine's table: asin(c), and the Taylor coefficients of asin(c + d).
struct AsinEntry {
    double hi;
    double lo;
    double a1Hi; // 27 bits
    double a1Lo;
    double a[8]; // a2 .. a9
};

extern const LogEntry kLogTable[128];
extern const LogEntry kLogShortTable[128]; // the same pieces, c of 8 bits
// Points c = j/128 for [0, 1/2], then 32 per binade of 1 - c from 2^-5 to 1/2: the entry for
// 1 - x there is at its top 16 bits less kAsinTableBase.
extern const AsinEntry kAsinTable[65 + 128];
constexpr uint64_t kAsinTableBase = (uint64_t{1018} << 5) - 65;
extern const DoubleDouble kExpTable[128];      // 2^(j/128)
extern const DoubleDouble kExpFineTable[1024]; // 2^(j/1024), for pow
// Rows: atan(j/64), pi/2 - atan(j/64).
extern const DoubleDouble kAtanTable[2][65];
// Rows: tan(j/256), cot(j/256), for j = kTanFirst..kTanLast.
constexpr int kTanFirst = 32;
constexpr int kTanLast = 202;
extern const DoubleDouble kTanTable[2][kTanLast - kTanFirst + 1];
extern const DoubleDouble kLn2;   // head of 42 bits
extern const double kLn2By128[3]; // head of 34 bits, then the rest in two
extern const double k128ByLn2;
extern const double kLn2By1024[2]; // head of 32 bits, then the rest
extern const double k1024ByLn2;
extern const DoubleDouble kInvLn10;
extern const DoubleDouble kPi;
extern const DoubleDouble kHalfPi;

inline uint64_t AsBits(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline double FromBits(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

namespace kernel {

// ln(x) for a positive finite x (subnormals included), as hi + lo with a relative error below
// 2^-68.
DoubleDouble LogPositive(double x);

// x^y = exp(y ln x) for a positive finite x and a finite y: quickly (a logarithm from the
// 8-bit table, y ln x from 26-bit heads, and an exponential from a table of 2^(j/1024)) where its
// error bound leaves no doubt about the rounding, by PowExact otherwise.
double PowPositive(double ax, double y);

// The quick path of PowPositive alone: NaN where it is unsure, and for |y ln x| >= 707.
double PowFast(double ax, double y);

// x^y for a positive finite x and a finite y, slowly: ln x in double-double (relative error
// below 2^-68), y ln x exact, and the exponential rounded once; overflow and underflow included.
double PowExact(double ax, double y);

// exp(v.hi + v.lo) rounded to a double, for any v.hi: overflow gives infinity, underflow 0 or a
// subnormal rounded once. v.lo may be a few ulps of v.hi, unnormalised.
double ExpOf(DoubleDouble v);

} // namespace kernel
} // namespace maths
