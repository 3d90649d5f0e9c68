#include "platform/CommandLine.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <shellapi.h>

std::vector<std::string> GetUtf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments.push_back(WideToUtf8(wide[i]));
        LocalFree(wide);
    }
    return arguments;
}

std::vector<std::string> GetUtf8Arguments(int argc, char* argv[]) {
    // The same splitting rules as the C runtime's, so the counts agree.
    std::vector<std::string> arguments = GetUtf8Arguments();
    if (arguments.size() != static_cast<size_t>(argc))
        arguments.assign(argv, argv + argc);
    return arguments;
}
