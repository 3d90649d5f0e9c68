#pragma once

#include <string>

// Fills a text-table format that takes one text: the first "%s" becomes argument and "%%"
// becomes '%'. Any other '%' stays as it is (the format is never handed to printf).
std::string FormatWithText(const std::string& format, const std::string& argument);
