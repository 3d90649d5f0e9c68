#pragma once

#include <string>

// The running executable's full path (UTF-8), or "" when it cannot be had.
std::string GetModulePath();
// The executable's folder including its trailing separator, or "" when the path cannot be had.
std::string GetModuleFolder();
// Appends the system's separator ('/', or '\' on Windows) unless the text is empty or already
// ends with a separator.
void AddBackslash(std::string& path);

// The separator the system writes between folder names.
char PathSeparator();
// True for every character the system reads as a separator ('\' and '/' on Windows).
bool IsPathSeparator(char c);
