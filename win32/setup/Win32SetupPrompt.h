#pragma once

#include "setuplogic/SetupPrompt.h"

#include <windows.h>

// Setup's questions and messages drawn by the system: MessageBoxW, the system's folder picker
// (IFileOpenDialog choosing folders) and the user's browser through ShellExecuteW. Texts are
// UTF-8; they reach the system in UTF-16.
class CWin32SetupPrompt : public SetupPrompt {
public:
    // owner: the window the boxes and the picker belong to (none for an uninstall run).
    explicit CWin32SetupPrompt(HWND owner = nullptr) : m_hOwner(owner) {}

    void SetOwner(HWND owner) { m_hOwner = owner; }

    PromptAnswer ShowMessage(const std::string& text, PromptButtons buttons) override;
    bool BrowseForFolder(const std::string& start, std::string& chosen) override;
    void OpenAddress(const std::string& url) override;

private:
    HWND m_hOwner;
};
