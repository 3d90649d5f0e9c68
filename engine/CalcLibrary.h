#pragma once

#include "engine/CalcValue.h"
#include "engine/SXError.h"

#include <cstddef>
#include <cstdint>

// Number of parameter slots of a function call.
constexpr int32_t kMaxParams = 10;

// Computes a function of params[0..count) into result. Returns None on success, else the
// error for the parser to raise (result is then left untouched).
using FunctionHandler = ErrorKind (*)(CalcValue& result, const CalcValue* params, int32_t count);

struct CalcFunction {
    const char* name;
    FunctionHandler handler;
    int32_t minimum; // fewer parameters fail in the parser with "missing param"
};

struct CalcConstant {
    const char* name;
    CalcValue value;
};

int32_t FunctionCount();
const CalcFunction& GetFunction(int32_t index);
int32_t ConstantCount();
const CalcConstant& GetConstant(int32_t index);

// Exact, case-sensitive lookup by length and bytes; index in table order, or -1.
int32_t FindFunction(const char* name, size_t length);
int32_t FindConstant(const char* name, size_t length);

// True for -1e-15 <= x <= 1e-15 (false for NaN).
bool IsNearZero(double x);
