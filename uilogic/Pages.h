#pragma once

#include "settings/TextTable.h"

#include <string>

// The mouse-event attributes that every key cell of the keypad page gets in place of "<td".
extern const char kCellAttributes[];

// Replaces every occurrence of from by to; the inserted text is not searched again.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to);

// The keypad page (text id 3) with its five pictures and the cell attributes filled in.
std::string BuildPanelPage();
// Fills a page template: the pictures and the key cells of the keypad.
std::string CompletePanelPage(std::string page);

// The About or Help page (text id 1 or 2) with the banner picture (and its double-size form
// for screens of double density) and the version text.
std::string BuildInfoPage(TextId page);
