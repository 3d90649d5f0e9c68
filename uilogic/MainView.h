#pragma once

#include "uilogic/Geometry.h"

#include <string>

// What the main window's controller (MainController) asks of the window. Each front end's
// main window implements it with its own widgets; the controller decides, the view applies.
// Text crosses as program text: UTF-8 with CR LF line breaks.
class MainView {
public:
    virtual ~MainView() = default;

    // The expression pane's text, and a text set by the program (it raises no change, and it
    // is where the pane's undo history starts).
    virtual std::string ExpressionText() const = 0;
    virtual void SetExpressionText(const std::string& text) = 0;
    // Shows the results, one line per expression line, and keeps them level with the
    // expressions.
    virtual void ShowResults(const std::string& text) = 0;
    virtual bool ResultsHaveFocus() const = 0;
    // Scrolls the results pane back to its left edge.
    virtual void ShowResultsLeftEdge() = 0;

    // Small buttons (MainId::...): their picture (SharedImage::...) and tooltip.
    virtual void SetButtonPicture(int buttonId, int picture) = 0;
    virtual void SetToolTip(int buttonId, const std::string& text) = 0;

    // Keeps the window above the others or not; shows and raises it unless it is minimised.
    virtual void SetKeepOnTop(bool onTop) = 0;
    // Shows or hides the keypad view and sets the window's minimum size for it.
    virtual void ShowKeypad(bool shown) = 0;
    // The client width now, and a new client width keeping the height (the panes follow).
    virtual int ClientWidth() const = 0;
    virtual void SetClientWidth(int width) = 0;

    // The modal dialogs: Settings answers true when it was closed with OK (its values are in
    // the settings model then).
    virtual bool RunSettingsDialog() = 0;
    virtual void RunHelpDialog() = 0;
    virtual void RunAboutDialog() = 0;

    // A keypad key (a name from the keypad page) applied to the expression pane.
    virtual void ApplyKey(const std::string& key) = 0;
    // Gives the keyboard to the expression pane (activating the window unless minimised).
    virtual void FocusExpressions() = 0;
    virtual void Minimise() = 0;
    virtual void CloseWindow() = 0;

    // The outer rectangle of the window when it is neither maximised nor minimised, and
    // whether it is minimised now: what the settings keep.
    virtual ScreenBox NormalOuterBox() const = 0;
    virtual bool IsMinimised() const = 0;
};
