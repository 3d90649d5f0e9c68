#pragma once

#include <string>

// What setup asks the user and tells them, drawn by the front end: message boxes, the folder
// browser and opening an address in the user's browser. The setup flow talks to the user only
// through this, so that tests answer it instead of a person.

enum class PromptButtons { Ok, YesNo };
enum class PromptAnswer { Ok, Yes, No };

class SetupPrompt {
public:
    virtual ~SetupPrompt() = default;

    // Shows text in a modal message box (title: the program's name) and returns the button
    // chosen; Ok for PromptButtons::Ok.
    virtual PromptAnswer ShowMessage(const std::string& text, PromptButtons buttons) = 0;

    // The system's folder picker titled "Browse", opened at start. True with the chosen folder
    // (any form; the caller adds the separator); false when cancelled or unavailable.
    virtual bool BrowseForFolder(const std::string& start, std::string& chosen) = 0;

    // Opens url in the user's web browser.
    virtual void OpenAddress(const std::string& url) = 0;
};
