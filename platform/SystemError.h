#pragma once

#include <string>

// The system's own words for an error code, for messages that say why something failed:
// strerror on POSIX, FormatMessageW on Windows (UTF-8, without the trailing line break).
std::string SystemErrorText(int code);

// The calling thread's last error code: errno on POSIX, GetLastError on Windows.
int LastSystemError();
