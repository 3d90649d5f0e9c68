#include "engine/CalcLibrary.h"

#include "engine/Maths.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kNearZero = 1e-15;

// Tiny results of the trigonometric functions are rounding noise: sin(pi) is 0.
double CleanNearZero(double r) {
    return IsNearZero(r) ? 0.0 : r;
}

void SetReal(CalcValue& result, double r) {
    result = CalcValue::MakeReal(r);
}

// One-parameter function whose result is kept as computed.
template <double (*F)(double)>
ErrorKind Plain(CalcValue& result, const CalcValue* params, int32_t count) {
    if (count != 1) {
        return ErrorKind::ExpectOne;
    }
    SetReal(result, F(ToReal(params[0])));
    return ErrorKind::None;
}

// One-parameter function whose near-zero result becomes exactly 0.
template <double (*F)(double)>
ErrorKind Cleaned(CalcValue& result, const CalcValue* params, int32_t count) {
    if (count != 1) {
        return ErrorKind::ExpectOne;
    }
    SetReal(result, CleanNearZero(F(ToReal(params[0]))));
    return ErrorKind::None;
}

double Sin(double x) {
    return maths::Sin(x);
}
double Cos(double x) {
    return maths::Cos(x);
}
double Asin(double x) {
    return maths::Asin(x);
}
double Acos(double x) {
    return maths::Acos(x);
}
double Atan(double x) {
    return maths::Atan(x);
}
double Ln(double x) {
    return maths::Ln(x);
}
double Log(double x) {
    return maths::Log10(x);
}
double Exp(double x) {
    return maths::Exp(x);
}
double Sqrt(double x) {
    return std::sqrt(x);
}

double Tan(double x) {
    return maths::Tan(x);
}
double Cot(double x) {
    return maths::Cot(x);
}
double Sec(double x) {
    return maths::Sec(x);
}
double Csc(double x) {
    return maths::Csc(x);
}

// One-parameter function that is "undefined" where Guard of its argument is near zero (tan,
// sec where the cosine vanishes; cot, csc where the sine does); small results are kept.
template <double (*Guard)(double), double (*F)(double)>
ErrorKind Guarded(CalcValue& result, const CalcValue* params, int32_t count) {
    if (count != 1) {
        return ErrorKind::ExpectOne;
    }
    const double x = ToReal(params[0]);
    if (IsNearZero(Guard(x))) {
        return ErrorKind::Undefined;
    }
    SetReal(result, F(x));
    return ErrorKind::None;
}

// Same special cases as the power operator.
ErrorKind Pow(CalcValue& result, const CalcValue* params, int32_t count) {
    if (count != 2) {
        return ErrorKind::ExpectTwo;
    }
    CalcValue value = params[0];
    Power(value, params[1]);
    result = value;
    return ErrorKind::None;
}

const CalcFunction kFunctions[] = {
    {"sin", Cleaned<Sin>, 1},      {"cos", Cleaned<Cos>, 1},      {"tan", Guarded<Cos, Tan>, 1},
    {"cot", Guarded<Sin, Cot>, 1}, {"sec", Guarded<Cos, Sec>, 1}, {"csc", Guarded<Sin, Csc>, 1},
    {"asin", Cleaned<Asin>, 1},    {"acos", Cleaned<Acos>, 1},    {"atan", Cleaned<Atan>, 1},
    {"ln", Plain<Ln>, 1},          {"log", Plain<Log>, 1},        {"exp", Plain<Exp>, 1},
    {"sqrt", Plain<Sqrt>, 1},      {"root", Plain<Sqrt>, 1},      {"pow", Pow, 2},
};
constexpr int32_t kFunctionCount = static_cast<int32_t>(sizeof kFunctions / sizeof kFunctions[0]);

// pi and e are the doubles 0x400921FB54442D18 and 0x4005BF0A8B145769.
const CalcConstant kConstants[] = {
    {"pi", {ValueKind::Real, 0, 3.141592653589793}},
    {"e", {ValueKind::Real, 0, 2.718281828459045}},
};
constexpr int32_t kConstantCount = static_cast<int32_t>(sizeof kConstants / sizeof kConstants[0]);

bool SameName(const char* entry, const char* name, size_t length) {
    return std::strlen(entry) == length && std::memcmp(entry, name, length) == 0;
}

} // namespace

int32_t FunctionCount() {
    return kFunctionCount;
}
const CalcFunction& GetFunction(int32_t index) {
    return kFunctions[index];
}
int32_t ConstantCount() {
    return kConstantCount;
}
const CalcConstant& GetConstant(int32_t index) {
    return kConstants[index];
}

int32_t FindFunction(const char* name, size_t length) {
    for (int32_t i = 0; i < kFunctionCount; ++i) {
        if (SameName(kFunctions[i].name, name, length)) {
            return i;
        }
    }
    return -1;
}

int32_t FindConstant(const char* name, size_t length) {
    for (int32_t i = 0; i < kConstantCount; ++i) {
        if (SameName(kConstants[i].name, name, length)) {
            return i;
        }
    }
    return -1;
}

bool IsNearZero(double x) {
    return x >= -kNearZero && x <= kNearZero;
}
