#pragma once

#include "engine/CalcValue.h"
#include "engine/EvalStatus.h"

#include <string>

class VariableList;

// Evaluates one line of expression text (spaces already removed) to one CalcValue.
// One evaluator per line: create, attach the variables, Evaluate once, read, discard.
class CalcEvaluator {
public:
    void SetVariables(const VariableList* variables) { m_variables = variables; }
    EvalStatus Evaluate(const std::string& line, CalcValue& result);
    // Empty unless Evaluate returned Failed; then the message, e.g. "div by 0 '5'".
    const std::string& ErrorText() const { return m_errorText; }

private:
    // (scanner fields and the grammar levels go here)
    const VariableList* m_variables = nullptr;
    std::string m_errorText;
};
