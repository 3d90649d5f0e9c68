#include "platform/win32/ShellLink.h"
#include "platform/SystemError.h"
#include "platform/win32/ComScope.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>

namespace {

// The shell's link fields take at most MAX_PATH characters (INFOTIPSIZE for the description).
constexpr int kFieldLength = 1024;

// One text field of the link through its getter (get(buffer, size)).
template <typename Getter> std::string ReadField(Getter get) {
    std::wstring buffer(kFieldLength, L'\0');
    if (FAILED(get(buffer.data(), kFieldLength)))
        return {};
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return WideToUtf8(buffer);
}

bool WideField(const std::string& utf8, std::wstring& wide, std::string& error) {
    if (Utf8ToWide(utf8, wide))
        return true;
    error = SystemErrorText(ERROR_NO_UNICODE_TRANSLATION);
    return false;
}

std::wstring TemporaryBeside(const std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
    return folder + L"~corvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L".lnk";
}

} // namespace

bool SaveShellLink(const std::string& linkPath, const ShellLinkFields& fields, std::string& error) {
    error.clear();
    std::wstring path, target, arguments, workingDir, description, iconPath;
    if (!WideField(linkPath, path, error) || !WideField(fields.strTarget, target, error) ||
        !WideField(fields.strArguments, arguments, error) ||
        !WideField(fields.strWorkingDir, workingDir, error) ||
        !WideField(fields.strDescription, description, error) ||
        !WideField(fields.strIconPath, iconPath, error))
        return false;

    const ComScope com;
    ComRef<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.Out());
    if (SUCCEEDED(result))
        result = link->SetPath(target.c_str());
    if (SUCCEEDED(result))
        result = link->SetDescription(description.c_str());
    if (SUCCEEDED(result))
        result = link->SetWorkingDirectory(workingDir.c_str());
    if (SUCCEEDED(result))
        result = link->SetShowCmd(SW_SHOWNORMAL);
    if (SUCCEEDED(result) && !arguments.empty())
        result = link->SetArguments(arguments.c_str());
    if (SUCCEEDED(result) && !iconPath.empty())
        result = link->SetIconLocation(iconPath.c_str(), fields.nIconIndex);
    ComRef<IPersistFile> file;
    if (SUCCEEDED(result))
        result = link->QueryInterface(IID_IPersistFile, file.Out());
    const std::wstring temp = TemporaryBeside(path);
    if (SUCCEEDED(result))
        result = file->Save(temp.c_str(), FALSE);
    if (FAILED(result)) {
        error = SystemErrorText(static_cast<int>(result));
        DeleteFileW(temp.c_str());
        return false;
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = SystemErrorText(LastSystemError());
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool LoadShellLink(const std::string& linkPath, ShellLinkFields& fields) {
    std::wstring path;
    if (!Utf8ToWide(linkPath, path) || path.empty())
        return false;
    const ComScope com;
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
        FAILED(file->Load(path.c_str(), STGM_READ)))
        return false;

    ShellLinkFields read;
    // The link's item list holds the target's whole name; Wine keeps the plain path only in
    // the ANSI code page, which cannot hold every name.
    std::wstring target(kFieldLength, L'\0');
    PIDLIST_ABSOLUTE items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items != nullptr &&
        SHGetPathFromIDListEx(items, target.data(), kFieldLength, GPFIDL_DEFAULT)) {
        target.resize(wcsnlen(target.c_str(), target.size()));
    } else {
        target.assign(kFieldLength, L'\0');
        // SLGP_RAWPATH: the path as saved, not one the shell guesses for a moved program.
        if (FAILED(link->GetPath(target.data(), kFieldLength, nullptr, SLGP_RAWPATH)))
            target.clear();
        target.resize(wcsnlen(target.c_str(), target.size()));
    }
    CoTaskMemFree(items);
    if (target.empty())
        return false;
    read.strTarget = WideToUtf8(target);
    IShellLinkW* shellLink = link.Get();
    read.strArguments = ReadField(
        [shellLink](LPWSTR text, int size) { return shellLink->GetArguments(text, size); });
    read.strWorkingDir = ReadField(
        [shellLink](LPWSTR text, int size) { return shellLink->GetWorkingDirectory(text, size); });
    read.strDescription = ReadField(
        [shellLink](LPWSTR text, int size) { return shellLink->GetDescription(text, size); });
    std::wstring icon(kFieldLength, L'\0');
    int index = 0;
    if (SUCCEEDED(link->GetIconLocation(icon.data(), kFieldLength, &index))) {
        icon.resize(wcsnlen(icon.c_str(), icon.size()));
        read.strIconPath = WideToUtf8(icon);
        read.nIconIndex = index;
    }
    fields = read;
    return true;
}
