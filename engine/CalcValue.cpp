#include "engine/CalcValue.h"

#include "engine/Maths.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr int64_t kMinInteger = std::numeric_limits<int64_t>::min();
// 2^63 as a double: the first value above the signed 64-bit range.
constexpr double kTwoPow63 = 9223372036854775808.0;

bool BothIntegers(const CalcValue& a, const CalcValue& b) {
    return a.kind == ValueKind::Integer && b.kind == ValueKind::Integer;
}

// Integer results wrap modulo 2^64; computing on uint64_t keeps that well defined.
int64_t Wrap(uint64_t bits) {
    return static_cast<int64_t>(bits);
}
uint64_t Bits(int64_t v) {
    return static_cast<uint64_t>(v);
}

// The shift count is the low 8 bits of the converted right operand, 0 to 255.
unsigned ShiftCount(const CalcValue& right) {
    return static_cast<unsigned>(Bits(ToInteger(right)) & 0xFFu);
}

} // namespace

double ToReal(const CalcValue& v) {
    return v.kind == ValueKind::Integer ? static_cast<double>(v.integer) : v.real;
}

int64_t ToInteger(const CalcValue& v) {
    if (v.kind != ValueKind::Real) {
        return v.integer;
    }
    // NaN fails both comparisons.
    if (!(v.real >= -kTwoPow63 && v.real < kTwoPow63)) {
        return kMinInteger;
    }
    return static_cast<int64_t>(v.real);
}

bool IsZeroDivisor(const CalcValue& v) {
    if (v.kind == ValueKind::Integer) {
        return v.integer == 0;
    }
    return v.real == 0.0 || std::isnan(v.real);
}

void Add(CalcValue& left, const CalcValue& right) {
    if (BothIntegers(left, right)) {
        left.integer = Wrap(Bits(left.integer) + Bits(right.integer));
    } else {
        left = CalcValue::MakeReal(ToReal(left) + ToReal(right));
    }
}

void Subtract(CalcValue& left, const CalcValue& right) {
    if (BothIntegers(left, right)) {
        left.integer = Wrap(Bits(left.integer) - Bits(right.integer));
    } else {
        left = CalcValue::MakeReal(ToReal(left) - ToReal(right));
    }
}

void Multiply(CalcValue& left, const CalcValue& right) {
    if (BothIntegers(left, right)) {
        left.integer = Wrap(Bits(left.integer) * Bits(right.integer));
    } else {
        left = CalcValue::MakeReal(ToReal(left) * ToReal(right));
    }
}

void Divide(CalcValue& left, const CalcValue& right) {
    if (!BothIntegers(left, right)) {
        left = CalcValue::MakeReal(ToReal(left) / ToReal(right));
        return;
    }
    int64_t b = right.integer;
    if (b == 0) {
        // The parser tests the divisor first; never divide by zero regardless.
        throw std::domain_error("integer division by zero");
    }
    // INT64_MIN / -1 wraps to INT64_MIN instead of trapping.
    left.integer = b == -1 ? Wrap(0 - Bits(left.integer)) : left.integer / b;
}

void Remainder(CalcValue& left, const CalcValue& right) {
    int64_t a = ToInteger(left);
    int64_t b = ToInteger(right);
    if (b == 0) {
        // A real divisor strictly between -1 and 1 passes the zero test but converts to 0.
        throw std::domain_error("remainder by zero");
    }
    left = CalcValue::MakeInteger(b == -1 ? 0 : a % b);
}

void Power(CalcValue& left, const CalcValue& right) {
    left = CalcValue::MakeReal(maths::Pow(ToReal(left), ToReal(right)));
}

void BitAnd(CalcValue& left, const CalcValue& right) {
    left = CalcValue::MakeInteger(ToInteger(left) & ToInteger(right));
}

void BitOr(CalcValue& left, const CalcValue& right) {
    left = CalcValue::MakeInteger(ToInteger(left) | ToInteger(right));
}

void BitXor(CalcValue& left, const CalcValue& right) {
    left = CalcValue::MakeInteger(ToInteger(left) ^ ToInteger(right));
}

void ShiftLeft(CalcValue& left, const CalcValue& right) {
    uint64_t a = Bits(ToInteger(left));
    unsigned count = ShiftCount(right);
    left = CalcValue::MakeInteger(count >= 64 ? 0 : Wrap(a << count));
}

void ShiftRight(CalcValue& left, const CalcValue& right) {
    int64_t a = ToInteger(left);
    unsigned count = ShiftCount(right);
    int64_t shifted;
    if (count >= 64) {
        shifted = a < 0 ? -1 : 0;
    } else if (a < 0) {
        // Arithmetic shift spelled out: sign copies come in from the top.
        shifted = Wrap(~(~Bits(a) >> count));
    } else {
        shifted = a >> count;
    }
    left = CalcValue::MakeInteger(shifted);
}

void Negate(CalcValue& value) {
    if (value.kind == ValueKind::Integer) {
        value.integer = Wrap(0 - Bits(value.integer));
    } else if (value.kind == ValueKind::Real) {
        value.real = -value.real;
    }
}

void Complement(CalcValue& value) {
    value = CalcValue::MakeInteger(~ToInteger(value));
}
