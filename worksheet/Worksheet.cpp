#include "worksheet/Worksheet.h"

#include "engine/CalcEvaluator.h"
#include "engine/ResultFormat.h"

#include <algorithm>

namespace {

bool IsIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentifierChar(char c) {
    return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}

} // namespace

void Worksheet::EvaluateText(std::string text, std::string& results) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());

    // CR LF -> LF; a CR on its own stays and is left for the tokenizer to reject.
    std::string lines;
    lines.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        lines += text[i];
    }
    lines += '\n';

    size_t start = 0;
    for (size_t end = lines.find('\n'); end != std::string::npos;
         start = end + 1, end = lines.find('\n', start)) {
        if (end > start) {
            std::string line = lines.substr(start, end - start);
            std::string result;
            EvaluateLine(line, result);
            results += result;
        }
        results += "\r\n";
    }
}

void Worksheet::EvaluateLine(std::string& line, std::string& result) {
    result.clear();
    const DisplayMode mode = ParseDisplaySuffix(line);
    std::string name;
    const bool isAssignment = SplitAssignment(line, name);

    // The engine reads its text up to a zero byte; a line holding one (possible only from
    // a file) is rejected like any other character that begins no token, not cut short.
    const size_t zero = line.find('\0');
    if (zero != std::string::npos) {
        result = m_explainErrors ? "err: invalid tok '" + line.substr(zero) + "'" : "err";
        return;
    }

    CalcEvaluator evaluator;
    evaluator.SetVariables(&m_variables);
    CalcValue value;
    switch (evaluator.Evaluate(line, value)) {
    case EvalStatus::Evaluated:
        FormatResult(value, result, mode);
        if (isAssignment) {
            m_variables.SetVariable(name, value);
        }
        break;
    case EvalStatus::Failed:
        result = m_explainErrors ? "err: " + evaluator.ErrorText() : "err";
        break;
    case EvalStatus::CommentLine:
        break; // shown empty, like an empty line; nothing is assigned
    }
}

bool SplitAssignment(std::string& line, std::string& name) {
    if (line.empty() || !IsIdentifierStart(line[0])) {
        return false;
    }
    size_t end = 1;
    while (end < line.size() && IsIdentifierChar(line[end])) {
        ++end;
    }
    if (end >= line.size() || line[end] != '=') {
        return false;
    }
    name = line.substr(0, end);
    line.erase(0, end + 1);
    return true;
}
