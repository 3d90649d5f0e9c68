#include "settings/ResourceAddress.h"

#include "platform/ModulePath.h"
#include "settings/TextTable.h"

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

std::string PercentEncodePath(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '/' || IsUnreserved(c)) {
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
    // The format is our own text, yet it is checked rather than handed to printf.
    std::string result;
    int conversions = 0; // 0: expecting %s, 1: expecting %d, 2: done
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            result += format[i];
            continue;
        }
        const char spec = i + 1 < format.size() ? format[i + 1] : '\0';
        ++i;
        if (spec == '%') {
            result += '%';
        } else if (spec == 's' && conversions == 0) {
            result += PercentEncodePath(path);
            conversions = 1;
        } else if (spec == 'd' && conversions == 1) {
            result += std::to_string(resourceNumber);
            conversions = 2;
        } else {
            return {};
        }
    }
    return conversions == 2 ? result : std::string();
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
