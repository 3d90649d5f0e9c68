#pragma once

#include "worksheet/VariableList.h"

#include <string>

// One evaluation pass: the expression pane's whole text in, the results pane's whole text out.
class Worksheet {
public:
    virtual ~Worksheet() = default;

    // results receives one CR LF-terminated line per expression line. Never fails.
    void EvaluateText(std::string text, std::string& results);
    // line is non-empty and may be shortened in place (suffix, assignment prefix).
    void EvaluateLine(std::string& line, std::string& result);

    // When set, a failed line shows "err: " plus the engine's message instead of "err"
    // (used by the command-line front end's --why).
    void SetExplainErrors(bool explain) { m_explainErrors = explain; }

    VariableList m_variables;

private:
    bool m_explainErrors = false;
};

// True when the line begins with name=; then name is stored and "name=" removed from line.
bool SplitAssignment(std::string& line, std::string& name);
