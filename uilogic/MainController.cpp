#include "uilogic/MainController.h"

#include "settings/CalcSettings.h"
#include "settings/SettingsFile.h"
#include "settings/TextTable.h"
#include "uilogic/ButtonPictures.h"
#include "uilogic/DialogTemplates.h"
#include "uilogic/EscKey.h"
#include "uilogic/KeyEdit.h"
#include "uilogic/Layout.h"
#include "uilogic/MainView.h"
#include "uilogic/Placement.h"
#include "uilogic/ResultTip.h"
#include "uilogic/ResultsScroll.h"
#include "worksheet/Worksheet.h"

#include <utility>

bool FocusTimerRefocuses(const FocusSnapshot& focus) {
    return !focus.otherDialogOpen && focus.inThisWindow && !focus.onAPane;
}

MainController::MainController(MainView& view, std::string settingsPath)
    : m_view(view), m_settingsPath(std::move(settingsPath)) {}

void MainController::Start() {
    m_view.SetButtonPicture(MainId::Settings, SharedImage::Settings);
    m_view.SetButtonPicture(MainId::Help, SharedImage::Help);
    m_view.SetButtonPicture(MainId::About, SharedImage::About);
    m_view.SetToolTip(MainId::KeepOnTop, "Keep on top");
    m_view.SetToolTip(MainId::Settings, "Settings");
    m_view.SetToolTip(MainId::Help, "Help");
    m_view.SetToolTip(MainId::About, "About");
    m_view.SetToolTip(MainId::Panel, "Show buttons");
    LoadSettingsIntoPane();
}

void MainController::LoadSettingsIntoPane() {
    LoadSettings(m_settingsPath);
    m_view.SetExpressionText(g_settings.m_expressions);
    Recalculate();
}

void MainController::Recalculate() {
    const std::string text = m_view.ExpressionText();
    std::string results;
    {
        Worksheet sheet; // variables live for one pass
        sheet.SetFormatOptions(GetFormatOptions(g_settings));
        sheet.EvaluateText(text, results);
    }
    m_view.ShowResults(results);
    if (ShowsResultsLeftEdge(ResultsEvent::Recalculated, m_view.ResultsHaveFocus()))
        m_view.ShowResultsLeftEdge();
}

void MainController::ApplyKeepOnTop() {
    const bool onTop = g_settings.m_keepOnTop != 0;
    m_view.SetButtonPicture(MainId::KeepOnTop, onTop ? SharedImage::PinIn : SharedImage::PinOut);
    m_view.SetKeepOnTop(onTop);
}

void MainController::ApplyKeypadVisibility() {
    const bool shown = g_settings.m_showButtons != 0;
    m_view.SetButtonPicture(MainId::Panel,
                            shown ? SharedImage::ArrowLeft : SharedImage::ArrowRight);
    m_view.ShowKeypad(shown);
    m_view.SetToolTip(MainId::Panel, shown ? "Hide buttons" : "Show buttons");
}

bool MainController::OnButton(int id) {
    switch (id) {
    case MainId::KeepOnTop:
        g_settings.m_keepOnTop = g_settings.m_keepOnTop ? 0 : 1;
        ApplyKeepOnTop();
        break;
    case MainId::Settings:
        // The formatting options may have changed: calculated again, and kept at once.
        if (m_view.RunSettingsDialog()) {
            Recalculate();
            StoreWindowAndSave();
        }
        break;
    case MainId::Help:
        m_view.RunHelpDialog();
        break;
    case MainId::Panel: {
        const int before = m_view.ClientWidth();
        g_settings.m_showButtons = g_settings.m_showButtons ? 0 : 1;
        ApplyKeypadVisibility();
        m_view.SetClientWidth(WidthAfterPanelToggle(before, g_settings.m_showButtons != 0));
        break;
    }
    case MainId::About:
        m_view.RunAboutDialog();
        break;
    default:
        return false;
    }
    // After a small button, and after the dialog it opened, the typist goes on at once.
    m_view.FocusExpressions();
    return true;
}

void MainController::OnEscape() {
    switch (EscKeyResponse(g_settings)) {
    case EscResponse::Minimise:
        m_view.Minimise();
        break;
    case EscResponse::CloseWindow:
        m_view.CloseWindow();
        break;
    case EscResponse::Nothing:
        break;
    }
}

bool MainController::OnKeypadLink(const std::string& url) {
    std::string key;
    if (!KeyNameFromAddress(url, GetText(TextId::KeyLinkPrefix), key))
        return true; // not a key: the view follows the link
    InsertKey(key);
    return false;
}

void MainController::InsertKey(const std::string& key) {
    m_view.ApplyKey(key);
    Recalculate(); // a text set by the program raises no change of its own
    m_view.FocusExpressions();
}

std::string MainController::ResultToolTipAt(const ResultLineHit& hit) const {
    if (!hit.onALine || hit.mouseY < hit.lineTop || hit.mouseY > hit.lineBottom)
        return {};
    const bool cutOff = IsResultCutOff(hit.textLeft, hit.textWidth, hit.visibleWidth);
    const std::string explained = NeedsExplanation(hit.shown)
                                      ? ExplainedResultLine(m_view.ExpressionText(), hit.line)
                                      : std::string();
    return ResultToolTip(hit.shown, explained, cutOff);
}

void MainController::OnFocusTimer(const FocusSnapshot& focus) {
    if (FocusTimerRefocuses(focus))
        m_view.FocusExpressions();
}

void MainController::StoreWindowAndSave() {
    RecordPlacement(g_settings, m_view.NormalOuterBox(), m_view.IsMinimised());
    g_settings.m_expressions = m_view.ExpressionText();
    SaveSettings(m_settingsPath);
}

void MainController::OnClose() {
    if (m_bStored)
        return;
    StoreWindowAndSave();
    m_bStored = true;
}
