#pragma once

#include <string>
#include <vector>

// The entry through which the system offers to uninstall the program: a desktop entry in the
// menu's applications folder on Linux, a key under HKEY_CURRENT_USER\...\Uninstall\ on
// Windows. The setup core fills the record from the text table; each system writes it in its
// own form.

// One value of the entry, in the order written.
struct RegistrationValue {
    enum class Kind { Text, Number, Command };
    std::string strName;
    Kind kind = Kind::Text;
    std::string strText;  // Text: the data; Command: the format whose "%s" takes the program
    unsigned nNumber = 0; // Number: the data (REG_DWORD on Windows)
};

struct UninstallRegistration {
    // Where the entry lives: relative to the applications folder on Linux (a file path with
    // '/'), relative to HKEY_CURRENT_USER on Windows (a key path with '\').
    std::string strKeyPath;
    std::string strProgram;         // the installed program, put into each Command value
    std::string strIconPath;        // DisplayIcon on Windows, Icon on Linux
    std::string strInstallLocation; // InstallLocation on Windows; not written on Linux
    std::vector<RegistrationValue> values;
};

// A Command value's text: format with its one "%s" filled with program; "%%" is a '%'.
std::string FillRegistrationCommand(const std::string& format, const std::string& program);

// Writes the whole entry (any old one is replaced whole). False, with reason (the system's
// words) when given, when it cannot be written: without it the install cannot be undone.
bool WriteUninstallRegistration(const UninstallRegistration& entry, std::string* reason = nullptr);

// The program that the registered command of the entry at keyPath starts (the value named
// commandValueName); "" when there is no entry or its command cannot be read.
std::string RegisteredUninstallProgram(const std::string& keyPath,
                                       const std::string& commandValueName);

// Removes the entry. True when it is gone.
bool RemoveUninstallRegistration(const std::string& keyPath);
