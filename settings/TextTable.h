#pragma once

#include <string>

// Text ids of the text table (0..42); the ids not named here are unused and empty.
enum class TextId : int {
    AgreementPage = 0,
    AboutPage = 1,
    HelpPage = 2,
    PanelPage = 3,
    UninstallValue28Data = 4,
    Version = 5,
    ResourceAddressFormat = 6, // "%s" executable path (percent-encoded), "%d" resource number
    PanelImage131 = 7,         // placeholders in the panel page, for resources 131, 133, 134,
    PanelImage133 = 8,         // 135 and 132, in this order
    PanelImage134 = 9,
    PanelImage135 = 10,
    PanelImage132 = 11,
    BannerPlaceholder = 12, // in the About and Help pages, for resource 140
    KeyLinkPrefix = 13,
    FolderCaptionFormat = 15,
    UninstallKeyPath = 19,
    UninstallValueName28 = 28,
    UninstallValueName29 = 29,
    UninstallValueName30 = 30,
    UninstallValueName31 = 31,
    UninstallCommandFormat = 32,
    UninstallSwitch = 33,
    UninstallDoneMessage = 34,
    SettingsFileName = 36,
    ProgramsGroupName = 37,
    InstalledProgramName = 38,
    ShortcutName = 39,
    UninstallerCopyName = 40,
    UninstalledAddress = 41,
};

constexpr int kTextCount = 43;

// The zero-terminated text; valid until ReleaseTexts. The first call unscrambles the table.
const char* GetText(TextId id);
// Frees the plain texts at the end of the run.
void ReleaseTexts();

// Replaces every occurrence of placeholder in page by the address of image resource
// resourceNumber of the running executable.
void ReplaceWithResourceAddress(std::string& page, const std::string& placeholder,
                                int resourceNumber);
// That address alone: text id 6 formatted with the percent-encoded executable path and the
// number.
std::string ResourceAddress(int resourceNumber);
