#pragma once

#include <cstdio>

// Switches a standard stream to binary mode where the system has a text mode, so that bytes
// pass unchanged (CR LF stays CR LF, a Ctrl+Z ends nothing). Does nothing elsewhere.
void UseBinaryMode(std::FILE* stream);
