#include "settings/ResourceAddress.h"

#include "engine/CharClass.h"
#include "platform/ModulePath.h"
#include "settings/TextTable.h"

#include <climits>

namespace {

bool IsUnreserved(char c) {
    return IsLetter(c) || IsDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

// The literal parts of the format around its two conversions: before "%s", between "%s" and
// "%d", after "%d". The format is our own text, yet it is checked rather than handed to printf.
struct FormatParts {
    std::string before, between, after;
};

bool SplitFormat(const std::string& format, FormatParts& parts) {
    std::string* current = &parts.before;
    int conversions = 0; // 0: expecting %s, 1: expecting %d, 2: done
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            *current += format[i];
            continue;
        }
        const char conversion = i + 1 < format.size() ? format[i + 1] : '\0';
        ++i;
        if (conversion == '%') {
            *current += '%';
        } else if (conversion == 's' && conversions == 0) {
            current = &parts.between;
            conversions = 1;
        } else if (conversion == 'd' && conversions == 1) {
            current = &parts.after;
            conversions = 2;
        } else {
            return false;
        }
    }
    return conversions == 2;
}

bool PercentDecode(const std::string& text, std::string& decoded) {
    decoded.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? HexDigitValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigitValue(text[i + 2]) : -1;
        if (low < 0 || (high == 0 && low == 0))
            return false; // malformed, or a zero byte that would cut the path short
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string PercentEncodePath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '/' || IsUnreserved(ch)) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0xF];
        }
    }
    return encoded;
}

std::string FormatResourceAddress(const std::string& format, const std::string& path,
                                  int resourceNumber) {
    FormatParts parts;
    if (!SplitFormat(format, parts))
        return {};
    return parts.before + PercentEncodePath(path) + parts.between + std::to_string(resourceNumber) +
           parts.after;
}

bool ParseResourceAddress(const std::string& format, const std::string& address, std::string& path,
                          int& resourceNumber) {
    FormatParts parts;
    if (!SplitFormat(format, parts) || address.compare(0, parts.before.size(), parts.before) != 0)
        return false;
    if (address.size() < parts.before.size() + parts.after.size() ||
        !EndsWith(address, parts.after))
        return false;
    const std::string middle = address.substr(
        parts.before.size(), address.size() - parts.before.size() - parts.after.size());

    // The number: the digits at the end of the middle part (the encoded path has no '-').
    size_t digits = middle.size();
    while (digits > 0 && IsDigit(middle[digits - 1]))
        --digits;
    if (digits == middle.size())
        return false;
    long long number = 0;
    for (size_t i = digits; i < middle.size(); ++i) {
        number = number * 10 + (middle[i] - '0');
        if (number > INT_MAX)
            return false;
    }
    const std::string head = middle.substr(0, digits);
    if (!EndsWith(head, parts.between))
        return false;
    std::string decoded;
    // An address without a path names no program, so none of its pictures.
    if (!PercentDecode(head.substr(0, head.size() - parts.between.size()), decoded) ||
        decoded.empty())
        return false;
    path = decoded;
    resourceNumber = static_cast<int>(number);
    return true;
}

bool ParseResourceAddress(const std::string& address, std::string& path, int& resourceNumber) {
    return ParseResourceAddress(GetText(TextId::ResourceAddressFormat), address, path,
                                resourceNumber);
}

std::string ResourceAddressScheme() {
    const std::string format = GetText(TextId::ResourceAddressFormat);
    return format.substr(0, format.find(':'));
}

std::string ResourceAddress(int resourceNumber) {
    return FormatResourceAddress(GetText(TextId::ResourceAddressFormat), GetModulePath(),
                                 resourceNumber);
}

void ReplaceWithResourceAddress(std::string& page, const std::string& placeholder,
                                int resourceNumber) {
    if (placeholder.empty())
        return;
    const std::string address = ResourceAddress(resourceNumber);
    // Left to right, never searching inside an inserted address.
    for (size_t pos = page.find(placeholder); pos != std::string::npos;
         pos = page.find(placeholder, pos + address.size()))
        page.replace(pos, placeholder.size(), address);
}
