#include "setuplogic/SetupWizardFlow.h"

#include "settings/TextTable.h"
#include "setuplogic/SetupPrompt.h"
#include "setuplogic/TextFormat.h"

CSetupWizardFlow::CSetupWizardFlow(WizardView& view, SetupPrompt& prompt)
    : m_view(view), m_prompt(prompt) {}

std::string CSetupWizardFlow::FolderLineText(const std::string& folder) {
    return FormatWithText(GetText(TextId::FolderCaptionFormat), folder);
}

void CSetupWizardFlow::Start() {
    ShowFolderLine();
    // Both options are on by default.
    m_view.SetOptions(true, true);
}

void CSetupWizardFlow::ShowFolderLine() {
    m_view.SetFolderLine(FolderLineText(m_installer.m_strFolder), m_installer.m_strFolder);
}

void CSetupWizardFlow::OnChangeFolder() {
    if (m_installer.BrowseFolder(m_prompt))
        ShowFolderLine();
}

void CSetupWizardFlow::OnOK() {
    if (m_nStage == 0) {
        // The first OK only moves on to the options; it installs nothing.
        m_view.ShowOptionsPage("Install");
        m_nStage = 1;
        return;
    }
    m_installer.m_bDesktopIcon = m_view.DesktopIconChecked() ? 1 : 0;
    if (!m_installer.Install()) {
        // The wizard stays on the options page; another folder may be tried.
        m_prompt.ShowMessage(m_installer.m_strError, PromptButtons::Ok);
        return;
    }
    if (m_view.RunAfterChecked()) {
        // Ends this process once the installed program runs; otherwise it says why not, and
        // the wizard ends as if the option had been off, without "Setup complete".
        if (!m_installer.RunInstalled()) {
            m_prompt.ShowMessage(m_installer.m_strError, PromptButtons::Ok);
            m_nExitCode = 1;
        }
    } else {
        m_prompt.ShowMessage("Setup complete", PromptButtons::Ok);
    }
    m_view.EndWizard();
}
