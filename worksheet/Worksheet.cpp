#include "worksheet/Worksheet.h"

#include "engine/CharClass.h"
#include "worksheet/TextLines.h"

#include <algorithm>

void Worksheet::EvaluateText(std::string text, std::string& results) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());

    ForEachLine(text, [&](size_t start, size_t length) {
        if (length > 0) {
            m_line.assign(text, start, length);
            AppendResult(m_line, results);
        }
        results += "\r\n";
    });
}

void Worksheet::EvaluateLine(std::string& line, std::string& result) {
    result.clear();
    AppendResult(line, result);
}

void Worksheet::AppendResult(std::string& line, std::string& results) {
    const DisplayMode mode = ParseDisplaySuffix(line);
    const bool isAssignment = SplitAssignment(line, m_name);
    const size_t prefixLength = isAssignment ? m_name.size() + 1 : 0;
    m_lastError = ErrorDetail{};

    // The engine reads its text up to a zero byte; a line holding one (possible only from
    // a file) is rejected like any other character that begins no token, not cut short.
    const size_t zero = line.find('\0');
    if (zero != std::string::npos) {
        m_lastError.kind = ErrorKind::InvalidToken;
        m_lastError.position = prefixLength + zero;
        m_lastError.length = 1;
        results += "err";
        if (m_explainErrors) {
            results.append(": ").append(ErrorKindText(m_lastError.kind));
            results.append(" '").append(line, zero, std::string::npos) += '\'';
        }
        return;
    }

    m_evaluator.SetVariables(&m_variables);
    CalcValue value;
    switch (m_evaluator.Evaluate(line, value)) {
    case EvalStatus::Evaluated:
        FormatResult(value, results, mode, m_formatOptions);
        if (isAssignment) {
            m_variables.SetVariable(m_name, value);
        }
        break;
    case EvalStatus::Failed:
        m_lastError = m_evaluator.Error();
        if (m_lastError.position != kNoPlace) {
            m_lastError.position += prefixLength;
        }
        results += "err";
        if (m_explainErrors) {
            results.append(": ").append(m_evaluator.ErrorText());
        }
        break;
    case EvalStatus::CommentLine:
        break; // shown empty, like an empty line; nothing is assigned
    }
}

bool SplitAssignment(std::string& line, std::string& name) {
    if (line.empty() || !IsIdentStart(line[0])) {
        return false;
    }
    size_t end = 1;
    while (end < line.size() && IsIdentChar(line[end])) {
        ++end;
    }
    if (end >= line.size() || line[end] != '=') {
        return false;
    }
    name.assign(line, 0, end);
    line.erase(0, end + 1);
    return true;
}
