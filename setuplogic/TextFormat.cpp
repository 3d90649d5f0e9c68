#include "setuplogic/TextFormat.h"

std::string FormatWithText(const std::string& format, const std::string& argument) {
    std::string result;
    bool filled = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            if (next == '%') {
                result += '%';
                ++i;
                continue;
            }
            if (next == 's' && !filled) {
                result += argument;
                filled = true;
                ++i;
                continue;
            }
        }
        result += format[i];
    }
    return result;
}
