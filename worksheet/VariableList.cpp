#include "worksheet/VariableList.h"

#include <cstring>

int VariableList::FindVariable(const char* name, size_t length) const {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const std::string& entry = m_entries[i].name;
        if (entry.size() == length && std::memcmp(entry.data(), name, length) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CalcValue VariableList::GetVariable(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) {
        return CalcValue{}; // only indexes from FindVariable are meaningful
    }
    return m_entries[static_cast<size_t>(index)].value;
}

void VariableList::SetVariable(const std::string& name, const CalcValue& value) {
    const int index = FindVariable(name.data(), name.size());
    if (index >= 0) {
        m_entries[static_cast<size_t>(index)].value = value;
    } else {
        m_entries.push_back(Variable{name, value});
    }
}
