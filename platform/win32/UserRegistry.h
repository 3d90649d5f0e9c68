#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Keys and values under HKEY_CURRENT_USER, which a user may write without elevation. Key paths
// and texts are UTF-8; they reach the registry in UTF-16.

// One value: a text (REG_SZ) or a number (REG_DWORD).
struct RegistryValue {
    std::string strName;
    std::string strText;
    std::uint32_t nNumber = 0;
    bool bNumber = false;

    static RegistryValue Text(std::string name, std::string text);
    static RegistryValue Number(std::string name, std::uint32_t number);
};

// Creates or opens keyPath and sets every value in the given order. All or nothing: when one
// cannot be set, the key is deleted again (a half-written entry would be worse than none) and
// the message says why (the system's error text). True when every value was set.
bool WriteUserRegistryKey(const std::string& keyPath, const std::vector<RegistryValue>& values,
                          std::string& error);

// Reads a REG_SZ (or REG_EXPAND_SZ, unexpanded) value; false when the key or value is missing
// or of another type.
bool ReadUserRegistryText(const std::string& keyPath, const std::string& name, std::string& text);
// Reads a REG_DWORD value.
bool ReadUserRegistryNumber(const std::string& keyPath, const std::string& name,
                            std::uint32_t& number);

// True when the key exists.
bool UserRegistryKeyExists(const std::string& keyPath);

// Deletes the key with all its values and subkeys. True when it is gone afterwards (also when
// there was none).
bool DeleteUserRegistryKey(const std::string& keyPath);
