#include "win32/controls/DialogTemplateEx.h"

#include "platform/win32/WideText.h"

namespace {

// The predefined window classes, by their atoms.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

constexpr wchar_t kFontFace[] = L"MS Shell Dlg";

WORD ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
        return kEditClass;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return kButtonClass;
    case ControlKind::Static:
    case ControlKind::Picture:
        break;
    }
    return kStaticClass;
}

bool Has(unsigned style, unsigned flag) {
    return (style & flag) != 0;
}

} // namespace

DWORD DialogTemplateEx::ControlStyle(const ControlTemplate& c) {
    DWORD style = WS_CHILD;
    if (!Has(c.style, CtlStyle::Hidden))
        style |= WS_VISIBLE;
    if (Has(c.style, CtlStyle::Disabled))
        style |= WS_DISABLED;
    if (Has(c.style, CtlStyle::Group))
        style |= WS_GROUP;
    if (Has(c.style, CtlStyle::TabStop))
        style |= WS_TABSTOP;
    switch (c.kind) {
    case ControlKind::Static:
        style |= Has(c.style, CtlStyle::Right)    ? SS_RIGHT
                 : Has(c.style, CtlStyle::Center) ? SS_CENTER
                                                  : SS_LEFT;
        if (Has(c.style, CtlStyle::VCenter))
            style |= SS_CENTERIMAGE;
        break;
    case ControlKind::Picture:
        style |= SS_BITMAP;
        if (Has(c.style, CtlStyle::RealSize))
            style |= SS_REALSIZEIMAGE;
        break;
    case ControlKind::Edit:
        if (Has(c.style, CtlStyle::MultiLine))
            style |= ES_MULTILINE;
        if (Has(c.style, CtlStyle::WantReturn))
            style |= ES_WANTRETURN;
        if (Has(c.style, CtlStyle::AutoHScroll))
            style |= ES_AUTOHSCROLL;
        if (Has(c.style, CtlStyle::AutoVScroll))
            style |= ES_AUTOVSCROLL;
        if (Has(c.style, CtlStyle::ReadOnly))
            style |= ES_READONLY;
        if (Has(c.style, CtlStyle::Border))
            style |= WS_BORDER;
        break;
    case ControlKind::PushButton:
        // Drawn by CXButton; the button class itself must not paint over it.
        style |= BS_OWNERDRAW;
        break;
    case ControlKind::CheckBox:
        style |= BS_AUTOCHECKBOX;
        break;
    case ControlKind::RadioButton:
        style |= BS_AUTORADIOBUTTON;
        break;
    }
    return style;
}

DWORD DialogTemplateEx::DialogStyle(unsigned s) {
    DWORD style = DS_SETFONT | DS_FIXEDSYS; // DS_SHELLFONT: the system's dialog font
    if (Has(s, DlgStyle::Popup))
        style |= WS_POPUP | DS_CENTER;
    if (Has(s, DlgStyle::Child))
        style |= WS_CHILD | DS_CONTROL;
    if (Has(s, DlgStyle::Caption))
        style |= WS_CAPTION;
    if (Has(s, DlgStyle::SysMenu))
        style |= WS_SYSMENU;
    if (Has(s, DlgStyle::ThickFrame))
        style |= WS_THICKFRAME;
    if (Has(s, DlgStyle::MinimizeBox))
        style |= WS_MINIMIZEBOX;
    if (Has(s, DlgStyle::MaximizeBox))
        style |= WS_MAXIMIZEBOX;
    if (Has(s, DlgStyle::ModalFrame))
        style |= DS_MODALFRAME;
    if (Has(s, DlgStyle::Visible))
        style |= WS_VISIBLE;
    if (Has(s, DlgStyle::ClipChildren))
        style |= WS_CLIPCHILDREN;
    return style;
}

DWORD DialogTemplateEx::DialogExStyle(unsigned s) {
    DWORD exStyle = 0;
    if (Has(s, DlgStyle::AppWindow))
        exStyle |= WS_EX_APPWINDOW;
    if (Has(s, DlgStyle::Child))
        exStyle |= WS_EX_CONTROLPARENT;
    return exStyle;
}

void DialogTemplateEx::DWord(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
}

void DialogTemplateEx::Text(const char* utf8) {
    std::wstring wide;
    Utf8ToWide(utf8 ? utf8 : "", wide);
    for (wchar_t c : wide)
        Word(static_cast<WORD>(c));
    Word(0);
}

void DialogTemplateEx::AlignToDWord() {
    if (m_words.size() % 2 != 0)
        Word(0);
}

DialogTemplateEx::DialogTemplateEx(const DialogTemplate& t) {
    Word(1);      // dlgVer
    Word(0xFFFF); // signature: the extended form
    DWord(0);     // helpID
    DWord(DialogExStyle(t.style));
    DWord(DialogStyle(t.style));
    Word(static_cast<WORD>(t.controls.size()));
    Word(0); // x, y: placed by the dialog's owner or its own code
    Word(0);
    Word(static_cast<WORD>(t.cx));
    Word(static_cast<WORD>(t.cy));
    Word(0); // no menu
    Word(0); // the dialog class
    Text(t.caption);
    Word(static_cast<WORD>(t.fontPointSize));
    Word(FW_NORMAL);
    Word(MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, character set
    for (const wchar_t* c = kFontFace; *c; ++c)
        Word(static_cast<WORD>(*c));
    Word(0);

    for (const ControlTemplate& c : t.controls) {
        AlignToDWord();
        DWord(0); // helpID
        DWord(0); // extended style
        DWord(ControlStyle(c));
        Word(static_cast<WORD>(c.x));
        Word(static_cast<WORD>(c.y));
        Word(static_cast<WORD>(c.cx));
        Word(static_cast<WORD>(c.cy));
        DWord(static_cast<DWORD>(c.id)); // kNoId becomes 0xFFFFFFFF, the system's "no id"
        Word(0xFFFF);
        Word(ClassOf(c.kind));
        if (c.kind == ControlKind::Picture) {
            Word(0xFFFF); // the bitmap resource by number
            Word(static_cast<WORD>(c.resource));
        } else {
            Text(c.text);
        }
        Word(0); // no creation data
    }
}
