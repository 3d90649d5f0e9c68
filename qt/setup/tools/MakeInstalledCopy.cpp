// Build step: makes the installed form of the program (setup marker replaced by 1) with the
// same copy routine that the installer uses.
#include "platform/ProgramCopy.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <delivered program> <installed copy>\n", argv[0]);
        return 2;
    }
    std::string reason;
    if (!CopyProgramFile(argv[1], argv[2], true, &reason)) {
        std::fprintf(stderr, "Cannot copy\n%s to\n%s\n%s\n", argv[1], argv[2], reason.c_str());
        return 1;
    }
    return 0;
}
