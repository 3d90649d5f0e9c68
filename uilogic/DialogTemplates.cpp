#include "uilogic/DialogTemplates.h"

namespace {

using namespace CtlStyle;

constexpr unsigned kMainStyle = DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu |
                                DlgStyle::ThickFrame | DlgStyle::MinimizeBox |
                                DlgStyle::ClipChildren | DlgStyle::AppWindow;
constexpr unsigned kModalStyle =
    DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ModalFrame;

} // namespace

const DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate tmpl{
        102,
        "Corvane Calculator 1.0",
        340,
        175,
        kMainStyle,
        8,
        {
            {MainId::Expressions, ControlKind::Edit, "", 0, 17, 220, 155,
             MultiLine | AutoVScroll | AutoHScroll | WantReturn | Border | TabStop},
            {MainId::Results, ControlKind::Edit, "", 222, 17, 100, 155,
             MultiLine | AutoVScroll | AutoHScroll | ReadOnly | TabStop},
            {MainId::KeepOnTop, ControlKind::PushButton, "", 1, 1, 13, 13, None},
            {MainId::Settings, ControlKind::PushButton, "", 15, 1, 13, 13, None},
            {MainId::Help, ControlKind::PushButton, "", 29, 1, 13, 13, None},
            {MainId::About, ControlKind::PushButton, "", 43, 1, 13, 13, None},
            {MainId::Panel, ControlKind::PushButton, "", 205, 1, 13, 13, None},
        },
    };
    return tmpl;
}

const DialogTemplate& SettingsDialogTemplate() {
    static const DialogTemplate tmpl{
        136,
        "Settings",
        238,
        146,
        kModalStyle,
        8,
        {
            {kNoId, ControlKind::Static, "Results formatting", 7, 7, 79, 11, VCenter},
            {kNoId, ControlKind::Static, "Show", 29, 22, 23, 12, VCenter},
            {SettingsId::Decimals, ControlKind::Edit, "", 54, 22, 26, 12,
             Border | AutoHScroll | TabStop},
            {kNoId, ControlKind::Static, "decimals", 82, 22, 34, 12, VCenter},
            {SettingsId::Trailing, ControlKind::CheckBox, "Delete trailing 0", 54, 38, 86, 10,
             TabStop},
            {SettingsId::Group, ControlKind::CheckBox, "Group digits", 54, 51, 86, 10, TabStop},
            {kNoId, ControlKind::Static, "Other options", 7, 66, 79, 11, VCenter},
            {SettingsId::Save, ControlKind::CheckBox, "Save edited expressions", 29, 81, 144, 10,
             TabStop},
            {kNoId, ControlKind::Static, "Esc", 29, 95, 16, 12, VCenter},
            {SettingsId::EscMinimize, ControlKind::RadioButton, "Minimize", 48, 96, 43, 10, Group},
            {SettingsId::EscExit, ControlKind::RadioButton, "Exit app", 92, 96, 41, 10, None},
            {SettingsId::EscNothing, ControlKind::RadioButton, "Do nothing", 134, 96, 51, 10, None},
            {DialogId::Ok, ControlKind::PushButton, "OK", 125, 125, 50, 14,
             Default | Group | TabStop},
            {DialogId::Cancel, ControlKind::PushButton, "Cancel", 181, 125, 50, 14, TabStop},
        },
    };
    return tmpl;
}

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate tmpl{
        139,
        "About",
        306,
        246,
        kModalStyle,
        8,
        {
            {DialogId::Ok, ControlKind::PushButton, "OK", 203, 225, 96, 14, Default | TabStop},
            {DialogId::Cancel, ControlKind::PushButton, "Cancel", 0, 0, 50, 14, Hidden},
            {kAboutOkPlaceholder, ControlKind::Static, "", 242, 225, 57, 14, Hidden},
        },
    };
    return tmpl;
}

const DialogTemplate& HelpDialogTemplate() {
    static const DialogTemplate tmpl{
        908,
        "Help",
        387,
        263,
        // Resizable, but with a close button only, as every dialog of another window.
        DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu | DlgStyle::ThickFrame,
        8,
        {
            {DialogId::Ok, ControlKind::PushButton, "OK", 330, 242, 50, 14, Default | TabStop},
        },
    };
    return tmpl;
}
