#include "win32/ui/StartUp.h"

#include "settings/TextTable.h"
#include "win32/setup/SetupMarker.h"
#include "win32/ui/MainDlg.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

namespace {

// Setup on Windows comes in a later version: until then the file as delivered says so and
// offers to run the calculator from where it is.
bool CalculatorWanted() {
    if (!IsSetupPackage())
        return true;
    return MessageBoxW(nullptr,
                       L"Setup on Windows comes with a later version of Corvane Calculator.\n\n"
                       L"Start the calculator from this folder now?",
                       L"Corvane Calculator", MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

} // namespace

int RunStartUp() {
    // COM lives for the whole run: the keypad view and the pages need it.
    const HRESULT ole = OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    if (CalculatorWanted()) {
        CMainDlg dlg;
        dlg.DoModal(nullptr);
    }
    ReleaseTexts();
    if (SUCCEEDED(ole))
        OleUninitialize();
    return 0;
}
