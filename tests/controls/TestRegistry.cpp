#include "TestRegistry.h"

std::vector<TestEntry>& TestRegistry() {
    static std::vector<TestEntry> registry;
    return registry;
}
