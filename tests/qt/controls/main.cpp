// Runs the controls' test classes: all of them, or the one named by the first argument (the
// remaining arguments go to Qt Test).
#include "TestRegistry.h"

#include "qt/controls/AppSetup.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char* argv[]) {
    PrepareApplication();
    QApplication app(argc, argv);
    if (!StartControls()) {
        std::fprintf(stderr, "controls_tests: the shared button pictures are missing\n");
        return 1;
    }
    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    std::vector<char*> args{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i)
        args.push_back(argv[i]);

    int failures = 0;
    int ran = 0;
    for (const auto& entry : TestRegistry()) {
        if (only && std::strcmp(only, entry.name) != 0)
            continue;
        ++ran;
        auto test = entry.create();
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    if (ran == 0) {
        std::fprintf(stderr, "controls_tests: no test class named %s\n", only ? only : "");
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
