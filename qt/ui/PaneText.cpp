#include "qt/ui/PaneText.h"

#include "uilogic/PaneText.h"

std::string PaneToProgramText(const QString& paneText) {
    return ProgramTextFromPaneLines(paneText.toStdString());
}

QString ProgramToPaneText(const std::string& text) {
    return QString::fromStdString(PaneLinesFromProgramText(text));
}
