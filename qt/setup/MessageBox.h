#pragma once

#include "setuplogic/SetupPrompt.h"

#include <string>

class QMessageBox;
class QWidget;

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Shows text in a modal message box with the given buttons and returns the button chosen.
//
// Test seam: when CORVANE_TEST_ANSWER is set ("yes" or "no"), no box is shown; the text is
// appended to the file named by CORVANE_TEST_LOG (a line "box <text>", line breaks as "\n")
// and the answer is taken from the variable. A real user never has it set.
MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                          QWidget* owner = nullptr);

// A box as narrow as a short text makes the window manager cut its title ("Cor… tor"): the
// text's column is kept wide enough for the title in a bold font and the title bar's buttons.
void MakeRoomForTitle(QMessageBox& box);

// Opens a web address in the user's browser (under the test seam: logged as "open <url>").
void OpenAddress(const std::string& url);

// The seam itself: true and the answer when tests answer the boxes.
bool TestAnswerGiven(std::string& answer);
void AppendTestLog(const std::string& kind, const std::string& text);

// The setup flow's prompt drawn with Qt: message boxes, the folder dialog and the desktop's
// browser, each owned by owner (or the active window).
class CQtSetupPrompt : public SetupPrompt {
public:
    explicit CQtSetupPrompt(QWidget* owner = nullptr) : m_pOwner(owner) {}

    PromptAnswer ShowMessage(const std::string& text, PromptButtons buttons) override;
    bool BrowseForFolder(const std::string& start, std::string& chosen) override;
    void OpenAddress(const std::string& url) override;

private:
    QWidget* m_pOwner;
};
