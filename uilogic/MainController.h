#pragma once

#include <string>

class MainView;

// Where the keyboard is when the focus timer looks.
struct FocusSnapshot {
    bool otherDialogOpen = false; // a modal dialog opened from the window has the keyboard
    bool inThisWindow = false;    // the focus is in one of the window's controls
    bool onAPane = false;         // ... and that control is one of the two panes
};

// The focus-timer rule: the keyboard goes back to the expression pane when it is in the window
// but on neither pane (a small button, the keypad view), and not while another dialog or
// another application has it.
bool FocusTimerRefocuses(const FocusSnapshot& focus);

// The mouse over the results pane, as the window measured it on the line under the mouse.
struct ResultLineHit {
    bool onALine = false; // a line of text lies under the mouse
    int line = 0;         // its number, 0-based
    std::string shown;    // its text as the pane shows it
    int mouseY = 0;       // pane pixels
    int lineTop = 0;      // the line's vertical extent, both ends inside
    int lineBottom = 0;
    int textLeft = 0;     // where the line's text starts (scrolling included)
    int textWidth = 0;    // and its width
    int visibleWidth = 0; // the pane's visible width
};

// The main window's decisions and its changes to the settings model (g_settings), shared by
// both front ends. It owns Recalculate, the keep-on-top and keypad switches, the Settings
// dialog flow, the small buttons' pictures and tooltips, the Esc key, the result tooltip, the
// focus-timer rule and saving once on close. The window calls it and applies its answers
// through MainView.
class MainController {
public:
    MainController(MainView& view, std::string settingsPath);

    // Reads the settings file into the model and the expressions into the pane, calculates,
    // and gives the small buttons their pictures and tooltips.
    void Start();
    // Reads the settings file and the expressions again (used by Start).
    void LoadSettingsIntoPane();

    // Evaluates the expression pane's text into the results pane.
    void Recalculate();
    // The expression pane's text changed (not by the program).
    void OnExpressionsChanged() { Recalculate(); }

    // A click on one of the small buttons (MainId::...): false for any other id.
    bool OnButton(int id);
    void ApplyKeepOnTop();
    void ApplyKeypadVisibility();

    // Esc anywhere in the window: minimise, close or nothing, as the settings say.
    void OnEscape();
    // The keypad page navigates to url: true when the view may follow it (not a key link);
    // a key is applied to the expression pane and the sheet calculated again.
    bool OnKeypadLink(const std::string& url);
    // A keypad key applied to the expression pane; the sheet is calculated again.
    void InsertKey(const std::string& key);
    // The tooltip for the results pane under the mouse; empty for none (hides a shown one).
    std::string ResultToolTipAt(const ResultLineHit& hit) const;
    // The focus timer fired.
    void OnFocusTimer(const FocusSnapshot& focus);

    // Keeps placement and expressions in the settings file now.
    void StoreWindowAndSave();
    // The window closes (or is destroyed without closing): stores once, however often called.
    void OnClose();
    bool IsStored() const { return m_bStored; }

    const std::string& SettingsPath() const { return m_settingsPath; }

private:
    MainView& m_view;
    std::string m_settingsPath;
    bool m_bStored = false;
};
