#include "platform/CommandLine.h"

std::vector<std::string> GetUtf8Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv, argv + argc);
}
