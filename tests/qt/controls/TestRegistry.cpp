#include "TestRegistry.h"

#include <QElapsedTimer>
#include <QTest>

std::vector<TestEntry>& TestRegistry() {
    static std::vector<TestEntry> registry;
    return registry;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}
