#include "win32/ui/StartUp.h"

#include "platform/CommandLine.h"
#include "settings/TextTable.h"
#include "setuplogic/Installer.h"
#include "uilogic/StartUpChoice.h"
#include "win32/setup/SetupMarker.h"
#include "win32/setup/SetupWizard.h"
#include "win32/setup/Win32SetupPrompt.h"
#include "win32/ui/MainDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace {

void RunCalculator() {
    CMainDlg dlg;
    dlg.DoModal(nullptr);
}

} // namespace

int RunStartUp() {
    // COM lives for the whole run: the keypad view, the pages and the shell links need it.
    const HRESULT ole = OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    // The wide command line, so that an install folder outside the ANSI code page survives.
    const std::vector<std::string> arguments = GetUtf8Arguments();
    int exitCode = 0;
    switch (ChooseStartRun(arguments, IsSetupPackage())) {
    case StartRun::Uninstall: {
        // No window of the program's own: only the uninstaller's questions.
        CWin32SetupPrompt prompt;
        CheckUninstallRequest(ArgumentsAfterProgram(arguments), prompt, exitCode);
        break;
    }
    case StartRun::Setup: {
        CSetupFrame wizard;
        wizard.DoModal(nullptr);
        exitCode = wizard.Flow().ExitCode();
        break;
    }
    case StartRun::Calculator:
        RunCalculator();
        break;
    }
    ReleaseTexts();
    if (SUCCEEDED(ole))
        OleUninitialize();
    return exitCode;
}
