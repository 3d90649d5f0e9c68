// The main window, run in this process and driven with messages: typed lines give the results
// the command-line worksheet gives on Linux, the small buttons, the Esc key, saving and
// restoring the expressions and the window's rectangle.
#include "win32/ui/MainDlg.h"
#include "platform/win32/WideText.h"
#include "settings/SettingsFile.h"
#include "settings/TextTable.h"
#include "tests/TempFolder.h"
#include "tests/win32/Win32TestSupport.h"
#include "uilogic/BrowserHook.h"
#include "uilogic/DialogTemplates.h"
#include "win32/controls/CXImageList.h"
#include "win32/controls/Dpi.h"
#include "win32/controls/WindowText.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

namespace {

std::string WithCrLf(const std::string& lf) {
    std::string out;
    for (char c : lf) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

RECT OuterRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The tooltip text registered for a tool of the dialog.
std::wstring ToolTipText(CXDialog& dlg, HWND tool) {
    wchar_t text[512] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = dlg.GetSafeHwnd();
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(dlg.ToolTip(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return text;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareWindows();
        g_settings = CalcSettings();
    }

    std::unique_ptr<CMainDlg> Open() {
        auto dlg = std::make_unique<CMainDlg>(SettingsFile());
        EXPECT_TRUE(dlg->Create(nullptr));
        // The window manager frames and places a new window a moment after it is shown.
        PumpUntil([] { return false; }, 300);
        return dlg;
    }
    void Close(std::unique_ptr<CMainDlg>& dlg) {
        dlg->EndDialog(0);
        dlg.reset();
        PumpPending();
    }
    std::string SettingsFile() const { return folder.File("corvane.cfg"); }
    void Type(CMainDlg& dlg, const std::string& utf8) {
        std::wstring wide;
        ASSERT_TRUE(Utf8ToWide(utf8, wide));
        TypeChars(dlg.ExpressionPane(), wide);
    }
    static std::string Results(CMainDlg& dlg) { return GetWindowTextUtf8(dlg.ResultsPane()); }
    void Click(CMainDlg& dlg, int id) {
        SendMessageW(dlg.Item(id), BM_CLICK, 0, 0);
        PumpPending();
    }

    // The mouse moved onto the middle of the height of a results line, near its left end.
    void HoverResult(CMainDlg& dlg, int line) {
        HWND results = dlg.ResultsPane();
        const LRESULT start = SendMessageW(results, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
        const LRESULT pos = SendMessageW(results, EM_POSFROMCHAR, static_cast<WPARAM>(start), 0);
        const int x = static_cast<short>(LOWORD(pos)) + 2;
        const int y = static_cast<short>(HIWORD(pos)) + 4;
        PostMessageW(results, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        PumpPending();
    }

    TempFolder folder; // under the user's temporary folder, whose name is not ASCII
};

} // namespace

TEST_F(MainWindowTest, TypedLinesGiveTheResultsOfTheGoldenWorksheets) {
    namespace fs = std::filesystem;
    const fs::path golden = fs::u8path(CORVANE_SOURCE_DIR "/tests/golden");
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(golden)) {
        if (entry.path().extension() != ".sheet")
            continue;
        const std::string base = entry.path().stem().u8string();
        const std::string args = ReadFileBytes((golden / (base + ".args")).u8string());
        // Only the options the window has as settings; others (--why, settings files) are the
        // command line's own.
        g_settings = CalcSettings();
        std::istringstream words(args);
        bool windowOptions = true;
        for (std::string word; words >> word;) {
            if (word == "--decimals") {
                int n = 0;
                words >> n;
                g_settings.m_decimals = n < 0 ? 0 : (n > 15 ? 15 : n);
            } else if (word == "--keep-zeros") {
                g_settings.m_deleteTrailingZeros = 0;
            } else if (word == "--no-group") {
                g_settings.m_groupDigits = 0;
            } else {
                windowOptions = false;
            }
        }
        if (!windowOptions)
            continue;
        std::string sheet = ReadFileBytes(entry.path().u8string());
        std::string typed;
        for (size_t i = 0; i < sheet.size(); ++i) {
            if (sheet[i] == '\r' && i + 1 < sheet.size() && sheet[i + 1] == '\n')
                continue;
            typed += sheet[i] == '\r' ? '\n' : sheet[i];
        }
        if (!typed.empty() && typed.back() == '\n')
            typed.pop_back(); // the last line's break would add an empty line of its own
        std::string expected = WithCrLf(ReadFileBytes((golden / (base + ".expected")).u8string()));
        if (!expected.empty() && expected.back() != '\n')
            expected += "\r\n";

        const CalcSettings options = g_settings;
        auto dlg = Open();
        g_settings = options; // the window loaded the (missing) file's defaults
        dlg->Controller().Recalculate();
        if (base == "suffixes" || base == "variable_kinds") {
            Type(*dlg, typed); // key by key
        } else {
            std::wstring wide; // pasted: one change for the whole text
            ASSERT_TRUE(Utf8ToWide(WithCrLf(typed), wide));
            SendMessageW(dlg->ExpressionPane(), EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(wide.c_str()));
            PumpPending();
        }
        EXPECT_EQ(Results(*dlg), expected) << base;
        ++compared;
        Close(dlg);
        std::filesystem::remove(std::filesystem::u8path(SettingsFile()));
    }
    EXPECT_GE(compared, 10);
}

TEST_F(MainWindowTest, DeletingALineMovesTheNextResultUpAtOnce) {
    auto dlg = Open();
    Type(*dlg, "1+1\n2*3");
    EXPECT_EQ(Results(*dlg), "2\r\n6\r\n");
    SendMessageW(dlg->ExpressionPane(), EM_SETSEL, 0, 5); // "1+1\r\n"
    PressKey(dlg->ExpressionPane(), VK_DELETE);
    EXPECT_EQ(Results(*dlg), "6\r\n");
}

TEST_F(MainWindowTest, TheResultsStayLevelWithTheExpressionsWhenTheyScroll) {
    auto dlg = Open();
    std::string lines;
    for (int i = 1; i <= 30; ++i)
        lines += std::to_string(i) + "*2\n";
    Type(*dlg, lines);
    const LRESULT first = SendMessageW(dlg->ExpressionPane(), EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 0); // the caret at the end scrolled the pane
    EXPECT_EQ(SendMessageW(dlg->ResultsPane(), EM_GETFIRSTVISIBLELINE, 0, 0), first);
    // Scrolled by program, which reports EN_VSCROLL as the wheel does.
    SendMessageW(dlg->ExpressionPane(), WM_VSCROLL, SB_TOP, 0);
    PumpPending();
    EXPECT_EQ(SendMessageW(dlg->ExpressionPane(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(SendMessageW(dlg->ResultsPane(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(MainWindowTest, SmallButtonsSwitchKeepOnTopAndThePanel) {
    auto dlg = Open();
    HWND window = dlg->GetSafeHwnd();
    EXPECT_EQ(dlg->Button(MainId::KeepOnTop)->Image(), SharedImage::PinOut);
    Click(*dlg, MainId::KeepOnTop);
    EXPECT_EQ(g_settings.m_keepOnTop, 1);
    EXPECT_EQ(dlg->Button(MainId::KeepOnTop)->Image(), SharedImage::PinIn);
    Click(*dlg, MainId::KeepOnTop);
    EXPECT_EQ(g_settings.m_keepOnTop, 0);

    const RECT before = OuterRect(window);
    RECT exprBefore{};
    GetWindowRect(dlg->ExpressionPane(), &exprBefore);
    EXPECT_EQ(dlg->Button(MainId::Panel)->Image(), SharedImage::ArrowLeft);
    Click(*dlg, MainId::Panel);
    const int dpi = DpiOf(window);
    const RECT hidden = OuterRect(window);
    EXPECT_EQ(g_settings.m_showButtons, 0);
    EXPECT_EQ(hidden.right - hidden.left, before.right - before.left - Scale(178, dpi));
    EXPECT_EQ(hidden.left, before.left);
    EXPECT_EQ(dlg->Button(MainId::Panel)->Image(), SharedImage::ArrowRight);
    RECT exprHidden{};
    GetWindowRect(dlg->ExpressionPane(), &exprHidden);
    EXPECT_EQ(exprHidden.right - exprHidden.left,
              exprBefore.right - exprBefore.left + Scale(181, dpi) - Scale(178, dpi));
    Click(*dlg, MainId::Panel);
    const RECT shown = OuterRect(window);
    EXPECT_EQ(shown.right - shown.left, before.right - before.left);
    EXPECT_EQ(g_settings.m_showButtons, 1);
}

TEST_F(MainWindowTest, KeepOnTopPutsTheWindowIntoTheTopmostBandAndTakesItOut) {
    auto dlg = Open();
    HWND window = dlg->GetSafeHwnd();
    const auto topmost = [&] {
        return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_FALSE(topmost());
    Click(*dlg, MainId::KeepOnTop);
    EXPECT_TRUE(topmost());
    EXPECT_TRUE(IsWindowVisible(window));
    Click(*dlg, MainId::KeepOnTop);
    EXPECT_FALSE(topmost());
    EXPECT_TRUE(IsWindowVisible(window));

    // Kept on top from the start, after the stored rectangle has been applied.
    Click(*dlg, MainId::KeepOnTop);
    Close(dlg);
    g_settings = CalcSettings();
    auto again = Open();
    EXPECT_EQ(g_settings.m_keepOnTop, 1);
    EXPECT_NE(GetWindowLongPtrW(again->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(MainWindowTest, ResultTooltipsExplainErrOnTwoLinesAndShowACutOffResultWhole) {
    auto dlg = Open();
    Type(*dlg, "2\n1/0\n2^62");
    ASSERT_EQ(Results(*dlg), "2\r\n"
                             "err\r\n"
                             "4 611 686 018 427 387 900\r\n");
    HWND results = dlg->ResultsPane();
    // The tooltip breaks its lines where the text does only when it has a width to keep.
    EXPECT_GT(SendMessageW(dlg->ToolTip(), TTM_GETMAXTIPWIDTH, 0, 0), 0);

    HoverResult(*dlg, 1);
    const std::string err = WideToUtf8(ToolTipText(*dlg, results));
    const size_t split = err.find('\n');
    ASSERT_NE(split, std::string::npos) << err;
    EXPECT_NE(err.find("divides by zero"), std::string::npos) << err; // the plain words
    EXPECT_NE(err.find("div by 0", split), std::string::npos) << err; // the engine's own text

    // Narrow enough that the long result does not fit its pane.
    SetWindowPos(dlg->GetSafeHwnd(), nullptr, 0, 0, 330, 300, SWP_NOMOVE | SWP_NOZORDER);
    PumpPending();
    HoverResult(*dlg, 2);
    EXPECT_EQ(WideToUtf8(ToolTipText(*dlg, results)), "4 611 686 018 427 387 900");
    HoverResult(*dlg, 0); // a result that fits has none
    EXPECT_EQ(ToolTipText(*dlg, results), L"");
}

// The tooltip of a results line follows the line's new result: another error, or another
// result too long for its pane, is never explained with the one before.
TEST_F(MainWindowTest, AResultTooltipFollowsTheLineWhenItsResultChanges) {
    auto dlg = Open();
    HWND results = dlg->ResultsPane();
    Type(*dlg, "1/0");
    HoverResult(*dlg, 0);
    EXPECT_NE(WideToUtf8(ToolTipText(*dlg, results)).find("div by 0"), std::string::npos);
    SendMessageW(dlg->ExpressionPane(), EM_SETSEL, 0, -1);
    Type(*dlg, "(1");
    ASSERT_EQ(Results(*dlg), "err\r\n");
    HoverResult(*dlg, 0);
    const std::string other = WideToUtf8(ToolTipText(*dlg, results));
    EXPECT_EQ(other.find("div by 0"), std::string::npos) << other;
    EXPECT_NE(other, "") << other;

    SetWindowPos(dlg->GetSafeHwnd(), nullptr, 0, 0, 330, 300, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(dlg->ExpressionPane(), EM_SETSEL, 0, -1);
    Type(*dlg, "2^62");
    HoverResult(*dlg, 0);
    EXPECT_EQ(WideToUtf8(ToolTipText(*dlg, results)), "4 611 686 018 427 387 900");
    SendMessageW(dlg->ExpressionPane(), EM_SETSEL, 0, -1);
    Type(*dlg, "2^61");
    HoverResult(*dlg, 0);
    EXPECT_EQ(WideToUtf8(ToolTipText(*dlg, results)), "2 305 843 009 213 694 000");
}

// The edit control names the line under a point with 16 bits only: a sheet longer than that
// must not explain another line's result.
TEST_F(MainWindowTest, AResultTooltipBeyondLine65535ExplainsThatLine) {
    auto dlg = Open();
    std::wstring sheet;
    for (int k = 0; k < 65540; ++k)
        sheet += L"1\r\n";
    sheet += L"1/0";
    // As a paste puts it in: one replacement of the selection, which the pane reports as a change.
    SendMessageW(dlg->ExpressionPane(), EM_SETSEL, 0, -1);
    SendMessageW(dlg->ExpressionPane(), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(sheet.c_str()));
    PumpPending();
    HWND results = dlg->ResultsPane();
    ASSERT_GE(SendMessageW(results, EM_GETLINECOUNT, 0, 0), 65541);
    SendMessageW(results, EM_LINESCROLL, 0, 65541);
    PumpPending();
    HoverResult(*dlg, 65540);
    EXPECT_NE(WideToUtf8(ToolTipText(*dlg, results)).find("div by 0"), std::string::npos);
}

TEST_F(MainWindowTest, TheSmallButtonsHaveTheirPicturesAndTooltips) {
    auto dlg = Open();
    EXPECT_EQ(dlg->Button(MainId::Settings)->Image(), SharedImage::Settings);
    EXPECT_EQ(dlg->Button(MainId::Help)->Image(), SharedImage::Help);
    EXPECT_EQ(dlg->Button(MainId::About)->Image(), SharedImage::About);
    ASSERT_NE(dlg->ToolTip(), nullptr);
    wchar_t text[80] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = dlg->GetSafeHwnd();
    info.uId = reinterpret_cast<UINT_PTR>(dlg->Item(MainId::Panel));
    info.lpszText = text;
    SendMessageW(dlg->ToolTip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Hide buttons");
    info.uId = reinterpret_cast<UINT_PTR>(dlg->Item(MainId::KeepOnTop));
    SendMessageW(dlg->ToolTip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Keep on top");
}

TEST_F(MainWindowTest, EscMinimisesClosesOrDoesNothingAsSet) {
    auto dlg = Open();
    HWND pane = dlg->ExpressionPane();
    Type(*dlg, "12");
    g_settings.m_escAction = EscAction::DoNothing;
    PressKey(pane, VK_ESCAPE);
    EXPECT_FALSE(IsIconic(dlg->GetSafeHwnd()));
    EXPECT_EQ(TextOf(pane), "12"); // the key never reaches the pane

    g_settings.m_escAction = EscAction::Minimise;
    PressKey(pane, VK_ESCAPE);
    EXPECT_TRUE(IsIconic(dlg->GetSafeHwnd()));
    ShowWindow(dlg->GetSafeHwnd(), SW_RESTORE);

    g_settings.m_escAction = EscAction::Exit;
    HWND window = dlg->GetSafeHwnd();
    PressKey(pane, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    CalcSettings saved;
    ASSERT_TRUE(LoadSettings(SettingsFile(), saved)); // closing saved the expressions
    EXPECT_EQ(saved.m_expressions, "12");
}

TEST_F(MainWindowTest, TheSettingsButtonRunsTheDialogAndOkRecalculatesAndSaves) {
    auto dlg = Open();
    Type(*dlg, "1/3");
    EXPECT_EQ(Results(*dlg), "0.3333\r\n");
    ModalDriver driver(
        [](HWND settings) {
            SetWindowTextW(GetDlgItem(settings, SettingsId::Decimals), L"2");
            SendMessageW(GetDlgItem(settings, DialogId::Ok), BM_CLICK, 0, 0);
        },
        dlg->GetSafeHwnd());
    Click(*dlg, MainId::Settings);
    EXPECT_EQ(driver.Driven(), 1);
    EXPECT_EQ(g_settings.m_decimals, 2);
    EXPECT_EQ(Results(*dlg), "0.33\r\n");
    CalcSettings saved;
    ASSERT_TRUE(LoadSettings(SettingsFile(), saved));
    EXPECT_EQ(saved.m_decimals, 2);
    EXPECT_EQ(saved.m_expressions, "1/3"); // kept at once with the options
    EXPECT_EQ(GetFocus(), dlg->ExpressionPane());
}

TEST_F(MainWindowTest, TheFocusTimerBringsTheKeyboardBackFromASmallButton) {
    auto dlg = Open();
    SetFocus(dlg->Item(MainId::About));
    ASSERT_EQ(GetFocus(), dlg->Item(MainId::About));
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == dlg->ExpressionPane(); }, 3000));
    // The results pane keeps it: the reader may be scrolling a long result.
    SetFocus(dlg->ResultsPane());
    PumpPending(1200);
    EXPECT_EQ(GetFocus(), dlg->ResultsPane());
}

TEST_F(MainWindowTest, TheResultsShowTheirLeftEdgeAgainWhenTheyLoseTheFocus) {
    auto dlg = Open();
    SetWindowPos(dlg->GetSafeHwnd(), nullptr, 0, 0, 330, 300, SWP_NOMOVE | SWP_NOZORDER);
    Type(*dlg, "2^62");
    HWND results = dlg->ResultsPane();
    const auto lineLeft = [&] {
        return static_cast<short>(LOWORD(SendMessageW(results, EM_POSFROMCHAR, 0, 0)));
    };
    const int left = lineLeft();
    SetFocus(results);
    SendMessageW(results, EM_SETSEL, 25, 25); // the caret at the end scrolls the pane sideways
    SendMessageW(results, EM_SCROLLCARET, 0, 0);
    PumpPending();
    ASSERT_LT(lineLeft(), left);
    SetFocus(dlg->ExpressionPane());
    PumpPending();
    EXPECT_EQ(lineLeft(), left);
}

TEST_F(MainWindowTest, CancellingSettingsChangesNothingAndWritesNothing) {
    auto dlg = Open();
    ModalDriver driver(
        [](HWND settings) {
            SetWindowTextW(GetDlgItem(settings, SettingsId::Decimals), L"9");
            SendMessageW(GetDlgItem(settings, SettingsId::Group), BM_CLICK, 0, 0);
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); // Esc is Cancel here
        },
        dlg->GetSafeHwnd());
    Click(*dlg, MainId::Settings);
    EXPECT_EQ(driver.Driven(), 1);
    EXPECT_EQ(g_settings.m_decimals, 4);
    EXPECT_EQ(g_settings.m_groupDigits, 1);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(SettingsFile())));
}

TEST_F(MainWindowTest, AboutClosesWithEscAndHelpOnlyWithOk) {
    auto dlg = Open();
    bool helpStillOpen = false;
    ModalDriver about(
        [](HWND dialog) {
            PostMessageW(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 1);
        },
        dlg->GetSafeHwnd());
    Click(*dlg, MainId::About);
    EXPECT_EQ(about.Driven(), 1);
    EXPECT_TRUE(IsWindowEnabled(dlg->GetSafeHwnd()));

    ModalDriver help(
        [&](HWND dialog) {
            MSG esc{GetDlgItem(dialog, DialogId::Ok), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
            CXDialog::FilterMessage(esc);
            PumpPending();
            helpStillOpen = IsWindow(dialog) != FALSE;
            SendMessageW(GetDlgItem(dialog, DialogId::Ok), BM_CLICK, 0, 0);
        },
        dlg->GetSafeHwnd());
    Click(*dlg, MainId::Help);
    EXPECT_EQ(help.Driven(), 1);
    EXPECT_TRUE(helpStillOpen);
}

TEST_F(MainWindowTest, ExpressionsResultsAndRectangleComeBackAfterARestart) {
    auto dlg = Open();
    Type(*dlg, "x=4\nx*2\n255,x\n1/0");
    const std::string results = Results(*dlg);
    EXPECT_EQ(results, "4\r\n8\r\nFF\r\nerr\r\n");
    MoveWindow(dlg->GetSafeHwnd(), 130, 120, 600, 330, TRUE);
    const RECT placed = OuterRect(dlg->GetSafeHwnd());
    Close(dlg);

    g_settings = CalcSettings();
    auto again = Open();
    EXPECT_EQ(TextOf(again->ExpressionPane()), "x=4\r\nx*2\r\n255,x\r\n1/0");
    // The loaded text is where undo starts: Ctrl+Z right after the start keeps it.
    EXPECT_EQ(SendMessageW(again->ExpressionPane(), EM_CANUNDO, 0, 0), FALSE);
    SendMessageW(again->ExpressionPane(), WM_UNDO, 0, 0);
    EXPECT_EQ(TextOf(again->ExpressionPane()), "x=4\r\nx*2\r\n255,x\r\n1/0");
    EXPECT_EQ(Results(*again), results);
    const RECT restored = OuterRect(again->GetSafeHwnd());
    EXPECT_EQ(restored.left, placed.left);
    EXPECT_EQ(restored.top, placed.top);
    EXPECT_EQ(restored.right, placed.right);
    EXPECT_EQ(restored.bottom, placed.bottom);
}

TEST_F(MainWindowTest, ClosingMinimisedKeepsTheRectangleFromBefore) {
    auto dlg = Open();
    MoveWindow(dlg->GetSafeHwnd(), 100, 90, 560, 300, TRUE);
    Close(dlg);
    g_settings = CalcSettings();
    dlg = Open();
    MoveWindow(dlg->GetSafeHwnd(), 300, 200, 600, 320, TRUE); // then minimised: not stored
    ShowWindow(dlg->GetSafeHwnd(), SW_MINIMIZE);
    Close(dlg);
    CalcSettings saved;
    ASSERT_TRUE(LoadSettings(SettingsFile(), saved));
    EXPECT_EQ(static_cast<int>(saved.m_windowState), 1);
    EXPECT_EQ(saved.m_windowRect.left, 100);
    EXPECT_EQ(saved.m_windowRect.right, 660);

    g_settings = CalcSettings();
    auto again = Open();
    EXPECT_TRUE(IsIconic(again->GetSafeHwnd()));
    ShowWindow(again->GetSafeHwnd(), SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return OuterRect(again->GetSafeHwnd()).left == 100; }, 3000));
    const RECT restored = OuterRect(again->GetSafeHwnd());
    EXPECT_EQ(restored.bottom - restored.top, 300);
}

TEST_F(MainWindowTest, AFirstRunIsCentredAndARectangleOffEveryMonitorComesBack) {
    auto dlg = Open();
    const RECT first = OuterRect(dlg->GetSafeHwnd());
    const int dpi = DpiOf(dlg->GetSafeHwnd());
    EXPECT_EQ(first.right - first.left, Scale(510, dpi));
    EXPECT_EQ(first.bottom - first.top, Scale(285, dpi));
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((first.left + first.right) / 2, (work.left + work.right) / 2, 1);
    Close(dlg);

    CalcSettings off;
    ASSERT_TRUE(LoadSettings(SettingsFile(), off));
    off.m_windowRect = {20000, 15000, 20500, 15300};
    ASSERT_TRUE(SaveSettings(SettingsFile(), off));
    g_settings = CalcSettings();
    auto again = Open();
    const RECT back = OuterRect(again->GetSafeHwnd());
    POINT centre{(back.left + back.right) / 2, (back.top + back.bottom) / 2};
    EXPECT_NE(MonitorFromPoint(centre, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(back.right - back.left, 500); // the size stays
}

TEST_F(MainWindowTest, AStoredRectangleLargerThanTheScreenIsMadeToFitIt) {
    CalcSettings huge;
    huge.m_windowState = WindowState::Normal;
    huge.m_windowRect = {10, 10, 6010, 5010};
    ASSERT_TRUE(SaveSettings(SettingsFile(), huge));
    auto dlg = Open();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT outer = OuterRect(dlg->GetSafeHwnd());
    // The window is cut to the work area. openbox's frame is a pixel lower than Wine's, so a
    // window exactly as tall as the work area is framed one pixel higher than asked.
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top - 1);
    EXPECT_LE(outer.right, work.right);
    EXPECT_LE(outer.bottom, work.bottom);
    EXPECT_GE(outer.bottom - outer.top, work.bottom - work.top - 1);
}

// A stored rectangle the work area does not hold whole, as a hand-edited file or an unplugged
// monitor leaves it, starts wholly on the screen; a window closed minimised there is restored
// onto the screen too, not onto the stored numbers.
TEST_F(MainWindowTest, AStoredRectangleOffTheScreenStartsAndIsRestoredWhollyOnIt) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto whollyOnWork = [&](const RECT& r) {
        return r.left >= work.left && r.top >= work.top && r.right <= work.right &&
               r.bottom <= work.bottom;
    };
    struct Case {
        WindowRect stored;
        int state;
    };
    const Case cases[] = {
        {{-400, 100, 100, 385}, 0},                           // mostly left of the screen
        {{200, work.bottom - 20, 700, work.bottom + 265}, 0}, // only the title bar shows
        {{20000, 15000, 20500, 15300}, 1},                    // off every monitor, closed minimised
        {{-20000, -15000, -19500, -14700}, 1},
    };
    for (const Case& c : cases) {
        CalcSettings stored;
        stored.m_windowRect = c.stored;
        stored.m_windowState = static_cast<WindowState>(c.state);
        ASSERT_TRUE(SaveSettings(SettingsFile(), stored));
        g_settings = CalcSettings();
        auto dlg = Open();
        HWND window = dlg->GetSafeHwnd();
        if (c.state == 1) {
            EXPECT_TRUE(IsIconic(window));
            ShowWindow(window, SW_RESTORE);
            PumpUntil([] { return false; }, 600); // the move after the first restore
        }
        const RECT r = OuterRect(window);
        EXPECT_TRUE(whollyOnWork(r)) << c.stored.left << "," << c.stored.top << " -> " << r.left
                                     << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(r.right - r.left, 500) << c.stored.left; // the size stays
        Close(dlg);
    }
}

TEST_F(MainWindowTest, TheWindowStaysUsableWithoutAKeypadPage) {
    // Wine here has no HTML engine: whatever the keypad view holds, typing and the buttons work.
    auto dlg = Open();
    Type(*dlg, "2^10");
    EXPECT_EQ(Results(*dlg), "1 024\r\n");
    Click(*dlg, MainId::Panel);
    Click(*dlg, MainId::Panel);
    Type(*dlg, "\n3");
    EXPECT_EQ(Results(*dlg), "1 024\r\n3\r\n");
}

TEST_F(MainWindowTest, KeypadLinksThroughTheHookEditThePaneAndOtherLinksGoOn) {
    auto dlg = Open();
    Type(*dlg, "1+2+3*");
    BrowserHook& hook = dlg->PanelView().m_navigateHook;
    ASSERT_NE(hook.pfnCallback, nullptr);
    const std::string prefix = GetText(TextId::KeyLinkPrefix);
    EXPECT_FALSE(OfferNavigation(hook, prefix + "sin/")); // a key: the view stays
    EXPECT_EQ(TextOf(dlg->ExpressionPane()), "1+2+3*sin()");
    DWORD start = 0, end = 0;
    SendMessageW(dlg->ExpressionPane(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 10u); // between the parentheses
    EXPECT_FALSE(OfferNavigation(hook, prefix + "n9"));
    EXPECT_EQ(TextOf(dlg->ExpressionPane()), "1+2+3*sin(9)");
    EXPECT_EQ(Results(*dlg), "4.2364\r\n");               // recalculated by the key itself
    EXPECT_FALSE(OfferNavigation(hook, prefix + "par2")); // after the caret, inside: "))"
    EXPECT_EQ(TextOf(dlg->ExpressionPane()), "1+2+3*sin(9))");
    EXPECT_EQ(Results(*dlg), "err\r\n");
    EXPECT_EQ(GetFocus(), dlg->ExpressionPane());
    EXPECT_TRUE(OfferNavigation(hook, "https://example.org/")); // not a key
    // A key is one undo step, and nothing else of the pane changes with it.
    SendMessageW(dlg->ExpressionPane(), WM_UNDO, 0, 0);
    PumpPending();
    EXPECT_EQ(TextOf(dlg->ExpressionPane()), "1+2+3*sin(9)");
    EXPECT_EQ(Results(*dlg), "4.2364\r\n");
}
