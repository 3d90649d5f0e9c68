#pragma once

#include <string>

// Building the address from which the page view loads an image resource of the executable.

// Percent-encodes a file path for use in an address: every byte except '/' and the unreserved
// characters (letters, digits, '-', '.', '_', '~') becomes %XX.
std::string PercentEncodePath(const std::string& path);

// Fills format, which must hold exactly one "%s" followed later by exactly one "%d" ("%%"
// stands for '%'), with the encoded path and the number. "" when the format is not of that
// shape.
std::string FormatResourceAddress(const std::string& format, const std::string& path,
                                  int resourceNumber);
