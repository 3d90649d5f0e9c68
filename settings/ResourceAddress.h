#pragma once

#include <string>

// The address from which the page view loads an image resource of the executable, built from
// text id 6: a format holding exactly one "%s" (the percent-encoded executable path) followed
// later by exactly one "%d" (the resource number); "%%" stands for '%'.

// Percent-encodes a file path for use in an address: every byte except '/' and the unreserved
// characters (letters, digits, '-', '.', '_', '~') becomes %XX.
std::string PercentEncodePath(const std::string& path);

// Fills format with the encoded path and the number; "" when the format is not of that shape.
std::string FormatResourceAddress(const std::string& format, const std::string& path,
                                  int resourceNumber);

// The inverse, for the handler that serves the images: the decoded path and the number of an
// address made by format. False when the address has another shape, when its path is empty,
// when an escape is malformed or decodes to a zero byte, or when the number does not fit an
// int.
bool ParseResourceAddress(const std::string& format, const std::string& address, std::string& path,
                          int& resourceNumber);
// The same with text id 6.
bool ParseResourceAddress(const std::string& address, std::string& path, int& resourceNumber);

// The scheme of the image addresses: text id 6 up to its first ':'.
std::string ResourceAddressScheme();
