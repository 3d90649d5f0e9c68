#pragma once

#include <cstdint>

// The engine's number: a signed 64-bit integer or an IEEE double ("real").
enum class ValueKind : int32_t { None = 0, Integer = 1, Real = 2 };

struct CalcValue {
    ValueKind kind = ValueKind::None;
    int64_t integer = 0; // meaningful when kind == Integer
    double real = 0.0;   // meaningful when kind == Real

    static CalcValue MakeInteger(int64_t v) { return {ValueKind::Integer, v, 0.0}; }
    static CalcValue MakeReal(double v) { return {ValueKind::Real, 0, v}; }
};

double ToReal(const CalcValue& v);
// Truncates toward zero; NaN, infinities and out-of-range reals give INT64_MIN.
int64_t ToInteger(const CalcValue& v);
// True for integer 0, real +-0.0 and NaN.
bool IsZeroDivisor(const CalcValue& v);

// Every operation works in place on the left operand. Integer results wrap.
void Add(CalcValue& left, const CalcValue& right);
void Subtract(CalcValue& left, const CalcValue& right);
void Multiply(CalcValue& left, const CalcValue& right);
// Integer division by 0 throws like Remainder; the parser tests the divisor before either.
void Divide(CalcValue& left, const CalcValue& right);
// Throws a non-SXError exception when the converted divisor is 0 ("internal err").
void Remainder(CalcValue& left, const CalcValue& right);
void Power(CalcValue& left, const CalcValue& right);
void BitAnd(CalcValue& left, const CalcValue& right);
void BitOr(CalcValue& left, const CalcValue& right);
void BitXor(CalcValue& left, const CalcValue& right);
void ShiftLeft(CalcValue& left, const CalcValue& right);
void ShiftRight(CalcValue& left, const CalcValue& right);
void Negate(CalcValue& value);
void Complement(CalcValue& value);
