#include "platform/UninstallRegistration.h"

#include "platform/FileOps.h"
#include "platform/WholeFile.h"
#include "platform/XdgFolders.h"
#include "platform/posix/DesktopEntry.h"

namespace {

// The entry's file: the key path under the applications folder; "" without one.
std::string EntryPath(const std::string& keyPath) {
    std::string applications;
    if (keyPath.empty() || !GetApplicationsFolder(applications))
        return {};
    return applications + keyPath;
}

} // namespace

bool WriteUninstallRegistration(const UninstallRegistration& entry, std::string* reason) {
    // The registration is a desktop entry under the applications folder, so that the menu
    // offers the uninstall command.
    const std::string path = EntryPath(entry.strKeyPath);
    if (path.empty()) {
        if (reason != nullptr)
            *reason = "There is no applications folder.";
        return false;
    }
    std::vector<std::pair<std::string, std::string>> lines = {{"Type", "Application"}};
    for (const RegistrationValue& value : entry.values) {
        switch (value.kind) {
        case RegistrationValue::Kind::Text:
            lines.emplace_back(value.strName, EscapeDesktopValue(value.strText));
            break;
        case RegistrationValue::Kind::Number:
            lines.emplace_back(value.strName, std::to_string(value.nNumber));
            break;
        case RegistrationValue::Kind::Command:
            lines.emplace_back(
                value.strName,
                EscapeDesktopValue(ExecLineFor(
                    entry.strProgram,
                    FillRegistrationCommand(value.strText, EscapeExecQuoted(entry.strProgram)))));
            break;
        }
    }
    lines.emplace_back("Icon", EscapeDesktopValue(entry.strIconPath));
    lines.emplace_back("Categories", kDesktopCategories);
    const size_t slash = path.rfind('/');
    CreateFolderPath(path.substr(0, slash), 0700); // create or open the key's parents
    return ReplaceFileWith(path, FormatDesktopEntry(lines), 0755, reason);
}

std::string RegisteredUninstallProgram(const std::string& keyPath,
                                       const std::string& commandValueName) {
    std::string text;
    const std::string path = EntryPath(keyPath);
    if (path.empty() || !ReadWholeFile(path, text))
        return {};
    return ExecProgram(DesktopEntryValue(text, commandValueName));
}

bool RemoveUninstallRegistration(const std::string& keyPath) {
    const std::string path = EntryPath(keyPath);
    return !path.empty() && DeleteOneFile(path);
}
