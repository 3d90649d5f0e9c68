#include "uilogic/WizardTemplates.h"

const DialogTemplate& SetupFrameTemplate() {
    static const DialogTemplate tmpl{902,
                                     "Corvane Calculator Setup",
                                     303,
                                     249,
                                     DlgStyle::Popup | DlgStyle::Visible | DlgStyle::Caption |
                                         DlgStyle::SysMenu | DlgStyle::ModalFrame |
                                         DlgStyle::AppWindow,
                                     8,
                                     {
                                         {DialogId::Cancel, ControlKind::PushButton, "Cancel", 248,
                                          230, 50, 14, CtlStyle::TabStop},
                                         {DialogId::Ok, ControlKind::PushButton, "I Agree", 190,
                                          230, 50, 14, CtlStyle::TabStop | CtlStyle::Default},
                                         {SetupControl::Banner, ControlKind::Picture, "", 0, 0, 305,
                                          75, CtlStyle::RealSize, kSetupBannerBitmap},
                                         {kNoId, ControlKind::Picture, "", 3, 221, 297, 6,
                                          CtlStyle::None, kSetupSeparatorBitmap},
                                     }};
    return tmpl;
}

const DialogTemplate& AgreementPageTemplate() {
    static const DialogTemplate tmpl{907, "", 186, 90, DlgStyle::Child, 8, {}};
    return tmpl;
}

const DialogTemplate& OptionsPageTemplate() {
    static const DialogTemplate tmpl{
        146,
        "",
        323,
        171,
        DlgStyle::Child,
        8,
        {
            {SetupControl::Change, ControlKind::PushButton, "Change ...", 250, 45, 44, 14,
             CtlStyle::TabStop},
            {SetupControl::FolderLine, ControlKind::Static, "", 6, 26, 240, 45},
            {SetupControl::DesktopIcon, ControlKind::CheckBox, "Create a desktop icon", 4, 74, 116,
             12, CtlStyle::TabStop},
            {kNoId, ControlKind::Static, "Click Install to start installation", 6, 132, 167, 10},
            {SetupControl::RunAfter, ControlKind::CheckBox, "Run application after install", 4, 92,
             282, 12, CtlStyle::TabStop},
        }};
    return tmpl;
}
