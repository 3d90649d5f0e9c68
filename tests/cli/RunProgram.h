#pragma once

#include <string>
#include <vector>

// Runs program with arguments (UTF-8), standard input read from inPath and standard output and
// error written to outPath and errPath, and waits for it. Returns its exit code, or -1 when it
// cannot be started or does not end normally.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& inPath, const std::string& outPath, const std::string& errPath);
