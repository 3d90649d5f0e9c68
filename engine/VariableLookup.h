#pragma once

#include "engine/CalcValue.h"

#include <cstddef>

// How the engine finds the worksheet's variables: the tokenizer resolves a name to an index,
// the parser reads the value at that index. The worksheet's variable list implements it.
class VariableLookup {
public:
    virtual ~VariableLookup() = default;

    // Index of the variable with exactly this name (same length, same bytes), or -1.
    virtual int FindVariable(const char* name, size_t length) const = 0;
    // The value at an index that FindVariable returned.
    virtual CalcValue GetVariable(int index) const = 0;

protected:
    VariableLookup() = default;
    VariableLookup(const VariableLookup&) = default;
    VariableLookup& operator=(const VariableLookup&) = default;
};
