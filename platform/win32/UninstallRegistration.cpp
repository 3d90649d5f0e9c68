#include "platform/UninstallRegistration.h"
#include "platform/win32/UserRegistry.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <shellapi.h>

namespace {

// The first argument of a command line, split as CreateProcessW's callee splits it.
std::string FirstArgument(const std::string& commandLine) {
    std::wstring wide;
    if (commandLine.empty() || !Utf8ToWide(commandLine, wide))
        return {};
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(wide.c_str(), &count);
    if (arguments == nullptr)
        return {};
    const std::string first = count > 0 ? WideToUtf8(arguments[0]) : std::string();
    LocalFree(arguments);
    return first;
}

} // namespace

bool WriteUninstallRegistration(const UninstallRegistration& entry, std::string* reason) {
    // A key under HKEY_CURRENT_USER\...\Uninstall\, which the user may write without elevation
    // and which the system's list of installed programs reads for this user.
    std::vector<RegistryValue> values;
    for (const RegistrationValue& value : entry.values) {
        switch (value.kind) {
        case RegistrationValue::Kind::Text:
            values.push_back(RegistryValue::Text(value.strName, value.strText));
            break;
        case RegistrationValue::Kind::Number:
            values.push_back(RegistryValue::Number(value.strName, value.nNumber));
            break;
        case RegistrationValue::Kind::Command:
            // A Windows path holds no double quote, so the format's quotes keep it whole.
            values.push_back(RegistryValue::Text(
                value.strName, FillRegistrationCommand(value.strText, entry.strProgram)));
            break;
        }
    }
    // The list of installed programs shows the icon and opens the folder from these two.
    if (!entry.strIconPath.empty())
        values.push_back(RegistryValue::Text("DisplayIcon", entry.strIconPath));
    if (!entry.strInstallLocation.empty())
        values.push_back(RegistryValue::Text("InstallLocation", entry.strInstallLocation));
    // Any old entry goes first, so that the new one is whole and holds nothing stale.
    DeleteUserRegistryKey(entry.strKeyPath);
    std::string error;
    if (WriteUserRegistryKey(entry.strKeyPath, values, error))
        return true;
    if (reason != nullptr)
        *reason = error;
    return false;
}

std::string RegisteredUninstallProgram(const std::string& keyPath,
                                       const std::string& commandValueName) {
    std::string command;
    if (keyPath.empty() || !ReadUserRegistryText(keyPath, commandValueName, command))
        return {};
    return FirstArgument(command);
}

bool RemoveUninstallRegistration(const std::string& keyPath) {
    return DeleteUserRegistryKey(keyPath);
}
