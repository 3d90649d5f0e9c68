#include "platform/UninstallRegistration.h"

std::string FillRegistrationCommand(const std::string& format, const std::string& program) {
    std::string result;
    bool filled = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() &&
            (format[i + 1] == '%' || (format[i + 1] == 's' && !filled))) {
            const bool percent = format[i + 1] == '%';
            result += percent ? std::string("%") : program;
            filled = filled || !percent;
            ++i;
            continue;
        }
        result += format[i];
    }
    return result;
}
