#include "EvalTestSupport.h"

#include <pthread.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kDeep = 1000000;
constexpr int kLimit = CalcEvaluator::kMaxNesting;

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<size_t>(times));
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// Lines nested right at the limit (which must work) and far beyond it (which must fail).
const std::vector<LineCase>& DeepCases() {
    static const std::vector<LineCase> cases = {
        {Repeat("(", kDeep), Expect::Fails("internal err")},
        {Repeat("-", kDeep) + "1", Expect::Fails("internal err")},
        {Repeat("~", kDeep) + "1", Expect::Fails("internal err")},
        {Repeat("sin(", kDeep), Expect::Fails("internal err")},
        {Repeat("pow(1,", kDeep), Expect::Fails("internal err")},
        {Repeat("-(", kDeep) + "1", Expect::Fails("internal err")},
        {Repeat("(", kLimit + 1) + "1" + Repeat(")", kLimit + 1), Expect::Fails("internal err")},
        {Repeat("(", kLimit) + "1" + Repeat(")", kLimit), Expect::Real(1)},
        {Repeat("-", kLimit) + "1", Expect::Real(1)},
        {Repeat("-", kLimit + 1) + "1", Expect::Fails("internal err")},
        {Repeat("sin(", kLimit) + "0" + Repeat(")", kLimit), Expect::Real(0)},
        {Repeat("pow(1,", kLimit) + "2" + Repeat(")", kLimit), Expect::Real(1)},
        {Repeat("-(", kLimit / 2) + "1" + Repeat(")", kLimit / 2), Expect::Real(1)},
        // The stack-hungriest shapes: a call or a group as the right operand of an operator.
        {Repeat("1^sin(", kLimit) + "1" + Repeat(")", kLimit), Expect::Real(1)},
        {Repeat("1+(", kLimit) + "1" + Repeat(")", kLimit), Expect::Real(kLimit + 1)},
        {Repeat("1^sin(", kLimit + 1) + "1" + Repeat(")", kLimit + 1),
         Expect::Fails("internal err")},
        // The nesting count falls again as levels close: many shallow groups are fine.
        {Repeat("(1)+", kDeep / 4) + "0", Expect::Real(kDeep / 4)},
    };
    return cases;
}

void RunAllDeepCases() {
    for (const LineCase& c : DeepCases()) {
        ExpectLine(c.line, c.expect);
    }
}

// Runs fn on a thread whose stack is exactly stackBytes, the size a host may give a worker.
void RunOnStack(size_t stackBytes, const std::function<void()>& fn) {
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, stackBytes), 0);
    pthread_t thread;
    auto trampoline = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    const int created =
        pthread_create(&thread, &attr, trampoline, const_cast<std::function<void()>*>(&fn));
    pthread_attr_destroy(&attr);
    ASSERT_EQ(created, 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
}

TEST(Nesting, LimitIsGenerous) {
    EXPECT_GE(kLimit, 200);
}

TEST(Nesting, DeepLinesOnMainStack) {
    RunAllDeepCases();
}

TEST(Nesting, DeepLinesOnOneMebibyteStack) {
    RunOnStack(1024 * 1024, RunAllDeepCases);
}

} // namespace
