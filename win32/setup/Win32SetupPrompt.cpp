#include "win32/setup/Win32SetupPrompt.h"

#include "platform/win32/ComScope.h"
#include "platform/win32/WideText.h"
#include "win32/controls/WindowText.h"

#include <shellapi.h>
#include <shobjidl.h>

PromptAnswer CWin32SetupPrompt::ShowMessage(const std::string& text, PromptButtons buttons) {
    const UINT type = buttons == PromptButtons::YesNo ? MB_YESNO | MB_ICONQUESTION : MB_OK;
    const int answer =
        MessageBoxW(m_hOwner, Wide(text).c_str(), L"Corvane Calculator", type | MB_SETFOREGROUND);
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    return answer == IDYES ? PromptAnswer::Yes : PromptAnswer::No;
}

bool CWin32SetupPrompt::BrowseForFolder(const std::string& start, std::string& chosen) {
    const ComScope com;
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IFileOpenDialog, dialog.Out())))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(L"Browse");
    // Opened at the current base folder when it exists.
    ComRef<IShellItem> folder;
    if (!start.empty() && SUCCEEDED(SHCreateItemFromParsingName(Wide(start).c_str(), nullptr,
                                                                IID_IShellItem, folder.Out())))
        dialog->SetFolder(folder.Get());
    if (FAILED(dialog->Show(m_hOwner)))
        return false; // cancelled, or no picker
    ComRef<IShellItem> result;
    CoTaskText path;
    if (FAILED(dialog->GetResult(reinterpret_cast<IShellItem**>(result.Out()))) ||
        FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, path.Out())) || path.Get() == nullptr)
        return false;
    chosen = WideToUtf8(path.Get());
    return !chosen.empty();
}

void CWin32SetupPrompt::OpenAddress(const std::string& url) {
    ShellExecuteW(nullptr, L"open", Wide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
