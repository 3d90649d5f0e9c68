#pragma once

#include "engine/CalcValue.h"
#include "engine/VariableLookup.h"

#include <cstddef>
#include <string>
#include <vector>

struct Variable {
    std::string name;
    CalcValue value;
};

// The named variables of one worksheet pass, in the order they were first assigned.
class VariableList : public VariableLookup {
public:
    // Index of the entry with exactly this name, or -1.
    int FindVariable(const char* name, size_t length) const override;
    CalcValue GetVariable(int index) const override;
    void SetVariable(const std::string& name, const CalcValue& value);
    size_t Count() const { return m_entries.size(); }

private:
    std::vector<Variable> m_entries;
};
