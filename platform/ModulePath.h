#pragma once

#include <string>

// The running executable's full path (from /proc/self/exe), or "" when it cannot be had.
std::string GetModulePath();
// The executable's folder including the trailing '/', or "" when the path cannot be had.
std::string GetModuleFolder();
// Appends '/' unless the text is empty or already ends with one.
void AddBackslash(std::string& path);
