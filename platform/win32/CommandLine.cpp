#include "platform/CommandLine.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <shellapi.h>

std::vector<std::string> GetUtf8Arguments(int argc, char* argv[]) {
    std::vector<std::string> arguments;
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        // The same splitting rules as the C runtime's, so the counts agree.
        if (count == argc) {
            for (int i = 0; i < count; ++i)
                arguments.push_back(WideToUtf8(wide[i]));
        }
        LocalFree(wide);
    }
    if (arguments.empty())
        arguments.assign(argv, argv + argc);
    return arguments;
}
