#pragma once

// The engine's own elementary functions. They use only the operations IEEE 754 rounds exactly
// (+ - * / sqrt fmod), so every build, on every system and compiler, gives the same bits.
// Special values follow the usual rules: NaN in gives NaN out, and the domain results are the
// IEEE ones (ln(0) is minus infinity, ln(-1) and asin(2) are NaN, exp(1000) is infinity).
namespace maths {

// Trigonometric functions of an angle in radians; the argument is reduced exactly, so large
// arguments give the true value.
double Sin(double x);
double Cos(double x);
double Tan(double x);
double Cot(double x);
double Sec(double x);
double Csc(double x);

// Inverse trigonometric functions, in radians.
double Asin(double x);
double Acos(double x);
double Atan(double x);

// Natural and base-10 logarithms, the exponential, and x raised to the power y.
double Ln(double x);
double Log10(double x);
double Exp(double x);
double Pow(double x, double y);

} // namespace maths
