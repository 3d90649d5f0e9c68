#include "platform/win32/Ownership.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <memory>

namespace {

struct LocalDeleter {
    void operator()(void* p) const { LocalFree(p); }
};

// The current user's SID, as bytes.
std::vector<BYTE> CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    std::vector<BYTE> sid;
    if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        const PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
        const BYTE* bytes = static_cast<const BYTE*>(user);
        sid.assign(bytes, bytes + GetLengthSid(user));
    }
    CloseHandle(token);
    return sid;
}

bool SameSid(PSID a, const std::vector<BYTE>& b) {
    return a != nullptr && !b.empty() && IsValidSid(a) &&
           EqualSid(a, const_cast<BYTE*>(b.data())) != 0;
}

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) {
    return sid != nullptr && IsValidSid(sid) && IsWellKnownSid(sid, type) != 0;
}

// Accounts that may change anything anyway, so their rights do not make a folder unsafe.
bool IsTrustedAccount(PSID sid, const std::vector<BYTE>& user) {
    return SameSid(sid, user) || IsWellKnown(sid, WinLocalSystemSid) ||
           IsWellKnown(sid, WinBuiltinAdministratorsSid) || IsWellKnown(sid, WinCreatorOwnerSid) ||
           IsWellKnown(sid, WinCreatorOwnerRightsSid);
}

constexpr ACCESS_MASK kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                     FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE |
                                     WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
constexpr ACCESS_MASK kReadRights =
    FILE_READ_DATA | FILE_EXECUTE | GENERIC_READ | GENERIC_EXECUTE | GENERIC_ALL;

} // namespace

OwnershipInfo ReadOwnership(const std::string& path, bool follow) {
    OwnershipInfo info;
    std::wstring wide;
    if (path.empty() || !Utf8ToWide(path, wide))
        return info;
    // A trailing separator would make the call look at something else than the folder.
    while (wide.size() > 3 && (wide.back() == L'\\' || wide.back() == L'/'))
        wide.pop_back();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return info;
    info.bExists = true;
    info.bFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.bReparsePoint = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;

    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    HANDLE handle = CreateFileW(wide.c_str(), READ_CONTROL,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return info;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD status = GetSecurityInfo(handle, SE_FILE_OBJECT,
                                         OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                         &owner, nullptr, &dacl, nullptr, &descriptor);
    CloseHandle(handle);
    std::unique_ptr<void, LocalDeleter> keep(descriptor);
    if (status != ERROR_SUCCESS)
        return info;

    const std::vector<BYTE> user = CurrentUserSid();
    info.bOwnedByUser = SameSid(owner, user);
    info.bOwnedByAdmins =
        IsWellKnown(owner, WinLocalSystemSid) || IsWellKnown(owner, WinBuiltinAdministratorsSid);
    if (dacl == nullptr) {
        // No access list at all: everyone may do everything.
        info.bOthersMayWrite = info.bOthersMayRead = true;
        return info;
    }
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* raw = nullptr;
        if (!GetAce(dacl, i, &raw))
            continue;
        const ACE_HEADER* header = static_cast<const ACE_HEADER*>(raw);
        // Inherit-only entries apply to what is made inside, not to this object.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        ACCESS_ALLOWED_ACE* ace = static_cast<ACCESS_ALLOWED_ACE*>(raw);
        PSID sid = &ace->SidStart;
        if (IsTrustedAccount(sid, user))
            continue;
        if (ace->Mask & kWriteRights)
            info.bOthersMayWrite = true;
        if (ace->Mask & kReadRights)
            info.bOthersMayRead = true;
    }
    return info;
}

bool CreatePrivateFolder(const std::string& path, unsigned long& error) {
    error = ERROR_SUCCESS;
    std::wstring wide;
    if (path.empty() || !Utf8ToWide(path, wide)) {
        error = ERROR_INVALID_NAME;
        return false;
    }
    std::vector<BYTE> user = CurrentUserSid();
    LPWSTR userText = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(user.data(), &userText)) {
        error = GetLastError();
        return false;
    }
    std::unique_ptr<void, LocalDeleter> keepText(userText);
    // Protected ("P"): nothing is inherited from the parent. Full control for the user and
    // SYSTEM, handed down to what is made inside.
    const std::wstring sddl =
        std::wstring(L"O:") + userText + L"D:P(A;OICI;FA;;;" + userText + L")(A;OICI;FA;;;SY)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        error = GetLastError();
        return false;
    }
    std::unique_ptr<void, LocalDeleter> keep(descriptor);
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = descriptor;
    attributes.bInheritHandle = FALSE;
    if (!CreateDirectoryW(wide.c_str(), &attributes)) {
        error = GetLastError();
        return false;
    }
    return true;
}
