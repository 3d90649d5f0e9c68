#pragma once

#include "engine/CalcEvaluator.h"
#include "engine/VariableLookup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Variables for the engine's tests: names and values in the order they were set.
class TestVariables : public VariableLookup {
public:
    void Set(const std::string& name, const CalcValue& value) {
        m_entries.emplace_back(name, value);
    }
    int FindVariable(const char* name, size_t length) const override {
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].first == std::string(name, length)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    CalcValue GetVariable(int index) const override {
        return m_entries[static_cast<size_t>(index)].second;
    }

private:
    std::vector<std::pair<std::string, CalcValue>> m_entries;
};

// What one line is expected to give: a value of one kind, a comment line, or a failure.
struct Expect {
    enum class What { Real, Integer, Comment, Failure };
    What what;
    double real = 0.0;
    int64_t integer = 0;
    const char* message = "";

    static Expect Real(double v) { return {What::Real, v, 0, ""}; }
    static Expect Int(int64_t v) { return {What::Integer, 0.0, v, ""}; }
    static Expect Comment() { return {What::Comment, 0.0, 0, ""}; }
    static Expect Fails(const char* message) { return {What::Failure, 0.0, 0, message}; }
};

struct LineCase {
    std::string line;
    Expect expect;
};

inline void PrintTo(const LineCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

// Evaluates the line with a fresh evaluator, as the worksheet does, and checks the outcome.
inline void ExpectLine(const std::string& line, const Expect& expect,
                       const VariableLookup* variables = nullptr) {
    SCOPED_TRACE("line: " + line);
    CalcEvaluator evaluator;
    evaluator.SetVariables(variables);
    CalcValue result;
    const EvalStatus status = evaluator.Evaluate(line, result);
    switch (expect.what) {
    case Expect::What::Failure:
        ASSERT_EQ(status, EvalStatus::Failed);
        EXPECT_EQ(evaluator.ErrorText(), expect.message);
        return;
    case Expect::What::Comment:
        ASSERT_EQ(status, EvalStatus::CommentLine);
        EXPECT_EQ(evaluator.ErrorText(), "");
        EXPECT_EQ(result.kind, ValueKind::None); // untouched
        return;
    case Expect::What::Integer:
        ASSERT_EQ(status, EvalStatus::Evaluated) << evaluator.ErrorText();
        EXPECT_EQ(evaluator.ErrorText(), "");
        ASSERT_EQ(result.kind, ValueKind::Integer);
        EXPECT_EQ(result.integer, expect.integer);
        return;
    case Expect::What::Real:
        ASSERT_EQ(status, EvalStatus::Evaluated) << evaluator.ErrorText();
        EXPECT_EQ(evaluator.ErrorText(), "");
        ASSERT_EQ(result.kind, ValueKind::Real);
        if (std::isnan(expect.real)) {
            EXPECT_TRUE(std::isnan(result.real)) << result.real;
        } else {
            EXPECT_EQ(result.real, expect.real);
        }
        return;
    }
}
