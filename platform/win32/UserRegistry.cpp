#include "platform/win32/UserRegistry.h"
#include "platform/SystemError.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <utility>

namespace {

// Owns one open key.
class KeyHandle {
public:
    KeyHandle() = default;
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool Wide(const std::string& utf8, std::wstring& wide) {
    return Utf8ToWide(utf8, wide);
}

LSTATUS SetValue(HKEY key, const RegistryValue& value) {
    std::wstring name;
    if (!Wide(value.strName, name))
        return ERROR_INVALID_PARAMETER;
    if (value.bNumber) {
        const DWORD number = value.nNumber;
        return RegSetValueExW(key, name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    std::wstring text;
    if (!Wide(value.strText, text))
        return ERROR_INVALID_PARAMETER;
    // REG_SZ data carry their terminating NUL.
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes);
}

} // namespace

RegistryValue RegistryValue::Text(std::string name, std::string text) {
    RegistryValue value;
    value.strName = std::move(name);
    value.strText = std::move(text);
    return value;
}

RegistryValue RegistryValue::Number(std::string name, std::uint32_t number) {
    RegistryValue value;
    value.strName = std::move(name);
    value.nNumber = number;
    value.bNumber = true;
    return value;
}

bool WriteUserRegistryKey(const std::string& keyPath, const std::vector<RegistryValue>& values,
                          std::string& error) {
    error.clear();
    std::wstring path;
    if (!Wide(keyPath, path) || path.empty()) {
        error = SystemErrorText(ERROR_INVALID_PARAMETER);
        return false;
    }
    KeyHandle key;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, key.Out(), nullptr);
    if (status != ERROR_SUCCESS) {
        error = SystemErrorText(static_cast<int>(status));
        return false;
    }
    for (const RegistryValue& value : values) {
        status = SetValue(key.Get(), value);
        if (status != ERROR_SUCCESS)
            break;
    }
    if (status == ERROR_SUCCESS)
        status = RegFlushKey(key.Get());
    if (status != ERROR_SUCCESS) {
        error = SystemErrorText(static_cast<int>(status));
        DeleteUserRegistryKey(keyPath);
        return false;
    }
    return true;
}

bool ReadUserRegistryText(const std::string& keyPath, const std::string& name, std::string& text) {
    std::wstring path;
    std::wstring valueName;
    if (!Wide(keyPath, path) || !Wide(name, valueName))
        return false;
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName.c_str(), flags, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
        return false;
    // The value may grow between the two calls: read again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName.c_str(),
                                            flags, nullptr, buffer.data(), &size);
        if (status == ERROR_SUCCESS) {
            buffer.resize(size / sizeof(wchar_t));
            while (!buffer.empty() && buffer.back() == L'\0')
                buffer.pop_back();
            text = WideToUtf8(buffer);
            return true;
        }
        if (status != ERROR_MORE_DATA)
            return false;
        bytes = size;
    }
    return false;
}

bool ReadUserRegistryNumber(const std::string& keyPath, const std::string& name,
                            std::uint32_t& number) {
    std::wstring path;
    std::wstring valueName;
    if (!Wide(keyPath, path) || !Wide(name, valueName))
        return false;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), valueName.c_str(), RRF_RT_REG_DWORD, nullptr,
                     &data, &size) != ERROR_SUCCESS)
        return false;
    number = data;
    return true;
}

bool UserRegistryKeyExists(const std::string& keyPath) {
    std::wstring path;
    if (!Wide(keyPath, path) || path.empty())
        return false;
    KeyHandle key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.Out()) ==
           ERROR_SUCCESS;
}

bool DeleteUserRegistryKey(const std::string& keyPath) {
    std::wstring path;
    // An empty path would name HKEY_CURRENT_USER itself.
    if (!Wide(keyPath, path) || path.empty())
        return false;
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return false;
    // Systems differ on whether RegDeleteTreeW takes the named key itself too.
    const LSTATUS removed = RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}
