#pragma once

#include "uilogic/DialogTemplate.h"

// The dialog templates of the setup wizard: the frame (902), the agreement page (907) and the
// options page (146).
const DialogTemplate& SetupFrameTemplate();
const DialogTemplate& AgreementPageTemplate();
const DialogTemplate& OptionsPageTemplate();

// Control ids of the wizard.
namespace SetupControl {
constexpr int Banner = 1023;        // frame: bitmap 138
constexpr int AgreementView = 1005; // agreement page: the HTML view
constexpr int DesktopIcon = 1005;   // options page: "Create a desktop icon"
constexpr int Change = 1006;        // options page: "Change ..."
constexpr int FolderLine = 1007;    // options page: the install folder line
constexpr int RunAfter = 1008;      // options page: "Run application after install"
} // namespace SetupControl

// Bitmap resources of the frame.
constexpr int kSetupBannerBitmap = 138;
constexpr int kSetupSeparatorBitmap = 141;
