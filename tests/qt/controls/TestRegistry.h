#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// Each test file registers its Qt Test class here, so one runner can run them by name.
struct TestEntry {
    const char* name;
    std::function<std::unique_ptr<QObject>()> create;
};

std::vector<TestEntry>& TestRegistry();

template <class T> struct RegisterTest {
    explicit RegisterTest(const char* name) {
        TestRegistry().push_back(
            {name, [] { return std::unique_ptr<QObject>(std::make_unique<T>()); }});
    }
};

#define CONTROLS_TEST(Class) static const RegisterTest<Class> kRegister##Class(#Class)

// Waits, running the event loop, until done() holds; false after the timeout. (QTest::qWaitFor
// sleeps between rounds that miss newly posted events, which slows WebEngine down tenfold.)
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);
