// The main window's controller, driven through a view that records what it is asked to do.
#include "uilogic/MainController.h"

#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "settings/TextTable.h"
#include "tests/TempFolder.h"
#include "uilogic/ButtonPictures.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/Layout.h"
#include "uilogic/MainView.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

class FakeView : public MainView {
public:
    std::string ExpressionText() const override { return expressions; }
    void SetExpressionText(const std::string& text) override { expressions = text; }
    void ShowResults(const std::string& text) override {
        results = text;
        ++resultsShown;
    }
    bool ResultsHaveFocus() const override { return resultsFocused; }
    void ShowResultsLeftEdge() override { ++leftEdges; }
    void SetButtonPicture(int buttonId, int picture) override { pictures[buttonId] = picture; }
    void SetToolTip(int buttonId, const std::string& text) override { tips[buttonId] = text; }
    void SetKeepOnTop(bool on) override { onTop.push_back(on); }
    void ShowKeypad(bool shown) override { keypad.push_back(shown); }
    int ClientWidth() const override { return width; }
    void SetClientWidth(int w) override { width = w; }
    bool RunSettingsDialog() override {
        calls.push_back("settings");
        if (settingsAnswer)
            g_settings.m_decimals = 1; // what the dialog's OK leaves in the model
        return settingsAnswer;
    }
    void RunHelpDialog() override { calls.push_back("help"); }
    void RunAboutDialog() override { calls.push_back("about"); }
    void ApplyKey(const std::string& key) override {
        calls.push_back("key " + key);
        expressions += key == "add" ? "+" : key;
    }
    void FocusExpressions() override { ++focused; }
    void Minimise() override { calls.push_back("minimise"); }
    void CloseWindow() override { calls.push_back("close"); }
    ScreenBox NormalOuterBox() const override { return outer; }
    bool IsMinimised() const override { return minimised; }

    std::string expressions;
    std::string results;
    int resultsShown = 0;
    bool resultsFocused = false;
    int leftEdges = 0;
    std::map<int, int> pictures;
    std::map<int, std::string> tips;
    std::vector<bool> onTop;
    std::vector<bool> keypad;
    int width = 600;
    bool settingsAnswer = true;
    std::vector<std::string> calls;
    int focused = 0;
    ScreenBox outer{10, 20, 600, 300};
    bool minimised = false;
};

class MainControllerTest : public testing::Test {
protected:
    void SetUp() override { g_settings = CalcSettings(); }
    void TearDown() override { g_settings = CalcSettings(); }

    CalcSettings Saved() const {
        CalcSettings saved;
        EXPECT_TRUE(LoadSettings(path, saved));
        return saved;
    }

    TempFolder folder;
    std::string path = folder.File("corvane.cfg");
    FakeView view;
    MainController controller{view, path};
};

TEST_F(MainControllerTest, StartReadsTheFileAndCalculatesItsExpressions) {
    CalcSettings stored;
    stored.m_expressions = "x = 4\r\nx*2";
    stored.m_decimals = 2;
    stored.m_deleteTrailingZeros = 0;
    ASSERT_TRUE(SaveSettings(path, stored));
    controller.Start();
    EXPECT_EQ(view.expressions, "x = 4\r\nx*2");
    EXPECT_EQ(view.results, "4.00\r\n8.00\r\n");
    EXPECT_EQ(view.pictures[MainId::Settings], SharedImage::Settings);
    EXPECT_EQ(view.pictures[MainId::Help], SharedImage::Help);
    EXPECT_EQ(view.pictures[MainId::About], SharedImage::About);
    EXPECT_EQ(view.tips[MainId::KeepOnTop], "Keep on top");
    EXPECT_EQ(view.tips[MainId::Panel], "Show buttons");
}

TEST_F(MainControllerTest, RecalculateShowsTheLeftEdgeOnlyWithoutTheFocus) {
    view.expressions = "1/0\r\n255,x";
    controller.OnExpressionsChanged();
    EXPECT_EQ(view.results, "err\r\nFF\r\n");
    EXPECT_EQ(view.leftEdges, 1);
    view.resultsFocused = true; // a reader scrolling the results keeps the place
    controller.Recalculate();
    EXPECT_EQ(view.leftEdges, 1);
    EXPECT_EQ(view.resultsShown, 2);
}

TEST_F(MainControllerTest, KeepOnTopTogglesThePinAndTheWindow) {
    EXPECT_TRUE(controller.OnButton(MainId::KeepOnTop));
    EXPECT_EQ(g_settings.m_keepOnTop, 1);
    EXPECT_EQ(view.pictures[MainId::KeepOnTop], SharedImage::PinIn);
    EXPECT_TRUE(controller.OnButton(MainId::KeepOnTop));
    EXPECT_EQ(view.pictures[MainId::KeepOnTop], SharedImage::PinOut);
    EXPECT_EQ(view.onTop, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.focused, 2); // the typist goes on at once
}

TEST_F(MainControllerTest, KeypadButtonHidesAndShowsTheKeypadAndResizes) {
    const int wide = view.width;
    controller.OnButton(MainId::Panel);
    EXPECT_EQ(g_settings.m_showButtons, 0);
    EXPECT_EQ(view.keypad, (std::vector<bool>{false}));
    EXPECT_EQ(view.pictures[MainId::Panel], SharedImage::ArrowRight);
    EXPECT_EQ(view.tips[MainId::Panel], "Show buttons");
    EXPECT_EQ(view.width, WidthAfterPanelToggle(wide, false));
    controller.OnButton(MainId::Panel);
    EXPECT_EQ(view.pictures[MainId::Panel], SharedImage::ArrowLeft);
    EXPECT_EQ(view.tips[MainId::Panel], "Hide buttons");
    EXPECT_EQ(view.width, wide);
}

TEST_F(MainControllerTest, SettingsOkRecalculatesAndSavesCancelChangesNothing) {
    view.expressions = "2/3";
    view.settingsAnswer = false;
    controller.OnButton(MainId::Settings);
    EXPECT_EQ(view.resultsShown, 0);
    CalcSettings untouched;
    EXPECT_FALSE(LoadSettings(path, untouched)); // nothing written
    view.settingsAnswer = true;
    controller.OnButton(MainId::Settings);
    EXPECT_EQ(view.results, "0.7\r\n");
    EXPECT_EQ(Saved().m_decimals, 1);
    EXPECT_EQ(Saved().m_expressions, "2/3");
    EXPECT_EQ(view.calls, (std::vector<std::string>{"settings", "settings"}));
}

TEST_F(MainControllerTest, HelpAboutAndOtherIds) {
    EXPECT_TRUE(controller.OnButton(MainId::Help));
    EXPECT_TRUE(controller.OnButton(MainId::About));
    EXPECT_FALSE(controller.OnButton(DialogId::Ok)); // the dialog's own
    EXPECT_FALSE(controller.OnButton(MainId::Expressions));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"help", "about"}));
    EXPECT_EQ(view.focused, 2);
}

TEST_F(MainControllerTest, EscDoesWhatTheSettingsSay) {
    g_settings.m_escAction = EscAction::Minimise;
    controller.OnEscape();
    g_settings.m_escAction = EscAction::Exit;
    controller.OnEscape();
    g_settings.m_escAction = EscAction::DoNothing;
    controller.OnEscape();
    g_settings.m_escAction = static_cast<EscAction>(7); // from a hand-edited file
    controller.OnEscape();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"minimise", "close"}));
}

TEST_F(MainControllerTest, KeyLinksInsertKeysOtherLinksAreFollowed) {
    view.expressions = "1";
    const std::string prefix = GetText(TextId::KeyLinkPrefix);
    EXPECT_FALSE(controller.OnKeypadLink(prefix + "add"));
    EXPECT_EQ(view.expressions, "1+");
    EXPECT_EQ(view.resultsShown, 1);
    EXPECT_EQ(view.focused, 1);
    EXPECT_TRUE(controller.OnKeypadLink("https://corvane.example/"));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"key add"}));
    EXPECT_EQ(view.resultsShown, 1);
}

TEST_F(MainControllerTest, ResultTipOnlyOnTheLineUnderTheMouse) {
    view.expressions = "1/0\r\n12345678";
    ResultLineHit hit;
    hit.onALine = true;
    hit.line = 0;
    hit.shown = "err";
    hit.mouseY = 5;
    hit.lineTop = 0;
    hit.lineBottom = 12;
    hit.textLeft = 2;
    hit.textWidth = 20;
    hit.visibleWidth = 100;
    EXPECT_NE(controller.ResultToolTipAt(hit), ""); // the plain words for "err"
    hit.mouseY = 13;                                // below the last line's text
    EXPECT_EQ(controller.ResultToolTipAt(hit), "");
    hit.mouseY = 5;
    hit.line = 1;
    hit.shown = "12,345,678";
    EXPECT_EQ(controller.ResultToolTipAt(hit), ""); // fits: nothing to tell
    hit.visibleWidth = 15;
    EXPECT_EQ(controller.ResultToolTipAt(hit), "12,345,678");
    hit.onALine = false;
    EXPECT_EQ(controller.ResultToolTipAt(hit), "");
}

TEST_F(MainControllerTest, FocusTimerBringsTheKeyboardBackFromButtonsOnly) {
    EXPECT_TRUE(FocusTimerRefocuses({false, true, false}));   // a small button, the keypad
    EXPECT_FALSE(FocusTimerRefocuses({false, true, true}));   // a pane
    EXPECT_FALSE(FocusTimerRefocuses({true, true, false}));   // a dialog opened from here
    EXPECT_FALSE(FocusTimerRefocuses({false, false, false})); // another application
    controller.OnFocusTimer({false, true, false});
    controller.OnFocusTimer({false, true, true});
    EXPECT_EQ(view.focused, 1);
}

TEST_F(MainControllerTest, ClosingSavesPlacementAndExpressionsOnce) {
    view.expressions = "1+1";
    controller.OnClose();
    const CalcSettings first = Saved();
    EXPECT_EQ(first.m_expressions, "1+1");
    EXPECT_EQ(first.m_windowRect.left, 10);
    EXPECT_EQ(first.m_windowRect.bottom, 320);
    EXPECT_EQ(first.m_windowState, WindowState::Normal);
    EXPECT_TRUE(controller.IsStored());
    view.expressions = "changed after closing";
    controller.OnClose();
    EXPECT_EQ(Saved().m_expressions, "1+1");
}

TEST_F(MainControllerTest, AMinimisedWindowKeepsItsLastRectangle) {
    g_settings.m_windowRect = {1, 2, 301, 202};
    view.minimised = true;
    view.outer = {-32000, -32000, 160, 30};
    controller.StoreWindowAndSave();
    const CalcSettings saved = Saved();
    EXPECT_EQ(saved.m_windowState, WindowState::Minimised);
    EXPECT_EQ(saved.m_windowRect.left, 1);
    EXPECT_EQ(saved.m_windowRect.right, 301);
}

} // namespace
