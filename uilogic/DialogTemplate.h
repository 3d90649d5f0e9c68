#pragma once

#include <vector>

// A dialog template is data: the dialog's size and style and a table of its controls, with
// rectangles in dialog units. Each front end builds its windows from it (the Qt front end's
// BuildDialog, the Win32 front end's in-memory DLGTEMPLATEEX), so no toolkit is named here.

// Control ids that the dialog framework gives a meaning. Scoped names: the system's own macros
// for 1 and 2 must not collide with them when both headers are included.
namespace DialogId {
constexpr int Ok = 1;
constexpr int Cancel = 2;
} // namespace DialogId
constexpr int kNoId = -1; // statics and pictures that nobody looks up

enum class ControlKind {
    Static,     // text
    Picture,    // shows bitmap resource `resource`
    Edit,       // single line: CXEdit; with CtlStyle::MultiLine: a multi-line edit
    PushButton, // CXButton (CtlStyle::Default marks the default button)
    CheckBox,   // automatic check box: CXCheckBox
    RadioButton // automatic radio button: CXRadioGroup when it starts a group
};

// Control style flags (combine with |).
namespace CtlStyle {
constexpr unsigned None = 0;
constexpr unsigned Group = 1u << 0;       // starts a new group (ends the radio group before it)
constexpr unsigned TabStop = 1u << 1;     // takes the focus with Tab
constexpr unsigned Hidden = 1u << 2;      // created hidden
constexpr unsigned Disabled = 1u << 3;    // created disabled
constexpr unsigned Default = 1u << 4;     // the default push button (Enter)
constexpr unsigned ReadOnly = 1u << 5;    // read-only edit
constexpr unsigned Border = 1u << 6;      // edit with a frame
constexpr unsigned MultiLine = 1u << 7;   // multi-line edit; Tab moves on
constexpr unsigned WantReturn = 1u << 8;  // Enter inserts a line break
constexpr unsigned AutoHScroll = 1u << 9; // lines never wrap
constexpr unsigned AutoVScroll = 1u << 10;
constexpr unsigned VCenter = 1u << 11;  // static text centred vertically
constexpr unsigned RealSize = 1u << 12; // picture keeps the bitmap's own size
constexpr unsigned Right = 1u << 13;    // static text aligned right
constexpr unsigned Center = 1u << 14;   // static text centred horizontally
} // namespace CtlStyle

// Dialog style flags.
namespace DlgStyle {
constexpr unsigned None = 0;
constexpr unsigned Popup = 1u << 0;      // a window of its own
constexpr unsigned Child = 1u << 1;      // a page inside another dialog
constexpr unsigned Caption = 1u << 2;    // title bar
constexpr unsigned SysMenu = 1u << 3;    // close box
constexpr unsigned ThickFrame = 1u << 4; // resizable
constexpr unsigned MinimizeBox = 1u << 5;
constexpr unsigned MaximizeBox = 1u << 6;
constexpr unsigned ModalFrame = 1u << 7;
constexpr unsigned Visible = 1u << 8;
constexpr unsigned AppWindow = 1u << 9; // own taskbar button
constexpr unsigned ClipChildren = 1u << 10;
} // namespace DlgStyle

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Static;
    const char* text = "";            // UTF-8
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    unsigned style = CtlStyle::None;
    int resource = 0; // Picture: the bitmap resource number
};

struct DialogTemplate {
    int id = 0;
    const char* caption = ""; // UTF-8
    int cx = 0, cy = 0;       // client size in dialog units
    unsigned style = DlgStyle::None;
    int fontPointSize = 8; // the desktop's default sans-serif at this size
    std::vector<ControlTemplate> controls;
};
