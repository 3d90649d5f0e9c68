#pragma once

#include <string>

// UTF-8 inside the program, UTF-16 at the Win32 boundary.

// The UTF-16 form of utf8; false (and "") when utf8 is not valid UTF-8.
bool Utf8ToWide(const std::string& utf8, std::wstring& wide);
// The UTF-16 form of utf8, "" when it is not valid UTF-8.
std::wstring Wide(const std::string& utf8);
// The UTF-8 form of wide; an unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(const std::wstring& wide);

// The form of a path that the file functions take at any length. A path within 32 characters
// of MAX_PATH (room for a temporary name beside it) becomes a full path with the "\\?\" prefix
// ("\\?\UNC\" for a network path), its slashes turned to backslashes and its "." and ".."
// resolved; a shorter one, or one already prefixed, is returned unchanged.
std::wstring ApiPath(const std::wstring& path);
