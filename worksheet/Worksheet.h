#pragma once

#include "engine/CalcEvaluator.h"
#include "engine/ResultFormat.h"
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
    // How results are written; the defaults until the front end passes its settings.
    void SetFormatOptions(const FormatOptions& options) { m_formatOptions = options; }
    const FormatOptions& GetFormatOptions() const { return m_formatOptions; }
    // What went wrong in the line evaluated last (kind None when it did not fail); its place
    // counts in the line as given, assignment prefix included.
    const ErrorDetail& LastError() const { return m_lastError; }

    VariableList m_variables;

private:
    // Appends the result text of one non-empty line.
    void AppendResult(std::string& line, std::string& results);

    bool m_explainErrors = false;
    ErrorDetail m_lastError;
    FormatOptions m_formatOptions;
    CalcEvaluator m_evaluator; // one for every line of the pass: it starts afresh each time
    std::string m_line;        // the line being evaluated, reused to spare an allocation a line
    std::string m_name;        // the name an assignment line assigns
};

// True when the line begins with name=; then name is stored and "name=" removed from line.
bool SplitAssignment(std::string& line, std::string& name);
