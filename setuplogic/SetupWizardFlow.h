#pragma once

#include "setuplogic/Installer.h"

#include <string>

class SetupPrompt;

// What the setup wizard's window shows and reads; each front end's frame implements it.
class WizardView {
public:
    virtual ~WizardView() = default;

    // Hides the agreement page, shows the options page, labels OK text and keeps the focus on OK.
    virtual void ShowOptionsPage(const std::string& okText) = 0;
    // The folder line of the options page and its tooltip (the whole folder, since a long path
    // is clipped in the line).
    virtual void SetFolderLine(const std::string& text, const std::string& tooltip) = 0;
    // The two options of the options page.
    virtual void SetOptions(bool desktopIcon, bool runAfter) = 0;
    virtual bool DesktopIconChecked() const = 0;
    virtual bool RunAfterChecked() const = 0;
    // Ends the wizard (the dialog closes with OK).
    virtual void EndWizard() = 0;
};

// The setup wizard's stages, defaults, texts and the "run after install" step, without a
// toolkit. The frame calls Start once its pages exist, OnOK for OK or Enter and OnChangeFolder
// for "Change ...".
class CSetupWizardFlow {
public:
    CSetupWizardFlow(WizardView& view, SetupPrompt& prompt);

    // Shows the folder line and turns both options on.
    void Start();
    // Stage 0: on to the options page. Stage 1: install; on failure the message and stay; on
    // success start the installed program (ending this process) or say "Setup complete"; then
    // end the wizard. A program that cannot be started is reported, and ExitCode turns 1.
    void OnOK();
    // "Change ...": the folder browser; the folder line follows the choice.
    void OnChangeFolder();

    int Stage() const { return m_nStage; }
    // The process's exit code after the wizard: 0, or 1 when the installed program could not
    // be started.
    int ExitCode() const { return m_nExitCode; }
    CInstaller& Installer() { return m_installer; }

    // The folder line: text 15 with the install folder.
    static std::string FolderLineText(const std::string& folder);

private:
    void ShowFolderLine();

    WizardView& m_view;
    SetupPrompt& m_prompt;
    CInstaller m_installer; // constructed with the wizard: the default folder is set at once
    int m_nStage = 0;       // 0 agreement, 1 options
    int m_nExitCode = 0;
};
