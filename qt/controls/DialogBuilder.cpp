#include "qt/controls/DialogBuilder.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXRadioGroup.h"
#include "qt/controls/ControlId.h"
#include "qt/controls/ControlNotify.h"
#include "qt/controls/ResourceScheme.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

// Windows' MulDiv: a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

Qt::WindowFlags DialogWindowFlags(unsigned style) {
    if (style & DlgStyle::Child)
        return Qt::Widget;
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if (style & DlgStyle::Caption)
        flags |= Qt::WindowTitleHint;
    if (style & DlgStyle::SysMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & DlgStyle::MinimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    if (style & DlgStyle::MaximizeBox)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QWidget* CreateStatic(const ControlTemplate& ct, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(ct.text), parent);
    Qt::Alignment align = Qt::AlignLeft;
    if (ct.style & CtlStyle::Right)
        align = Qt::AlignRight;
    else if (ct.style & CtlStyle::Center)
        align = Qt::AlignHCenter;
    if (ct.style & CtlStyle::VCenter) {
        align |= Qt::AlignVCenter;
    } else {
        // A plain static text wraps at word boundaries and starts at the top.
        align |= Qt::AlignTop;
        label->setWordWrap(true);
    }
    label->setAlignment(align);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QWidget* CreatePicture(const ControlTemplate& ct, QWidget* parent, QRect& rect) {
    auto* label = new QLabel(parent);
    const QPixmap pixmap = BitmapResource(ct.resource);
    label->setPixmap(pixmap);
    label->setFocusPolicy(Qt::NoFocus);
    // A bitmap static takes the bitmap's own size at its top-left corner.
    if (!pixmap.isNull())
        rect.setSize(pixmap.deviceIndependentSize().toSize());
    return label;
}

QWidget* CreateEdit(const ControlTemplate& ct, QWidget* parent) {
    if (ct.style & CtlStyle::MultiLine) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setLineWrapMode((ct.style & CtlStyle::AutoHScroll) ? QPlainTextEdit::NoWrap
                                                                 : QPlainTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFrameShape((ct.style & CtlStyle::Border) ? QFrame::StyledPanel : QFrame::NoFrame);
        edit->setReadOnly(ct.style & CtlStyle::ReadOnly);
        if (edit->isReadOnly()) {
            // A read-only edit still has a caret and keyboard selection, which also scroll
            // it sideways to the end of a long line.
            edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        }
        edit->setTabChangesFocus(true);
        edit->setPlainText(QString::fromUtf8(ct.text));
        ApplyEditColours(edit);
        return edit;
    }
    auto* edit = new CXEdit(parent);
    edit->setFrame(ct.style & CtlStyle::Border);
    edit->setReadOnly(ct.style & CtlStyle::ReadOnly);
    edit->SetText(ct.text);
    return edit;
}

} // namespace

DialogUnits DialogUnits::FromFont(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as the dialog manager computes it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    DialogUnits units;
    units.baseX = std::max(1, (letters / 26 + 1) / 2);
    units.baseY = std::max(1, metrics.height());
    return units;
}

int DialogUnits::MapX(int du) const {
    return MulDiv(du, baseX, 4);
}
int DialogUnits::MapY(int du) const {
    return MulDiv(du, baseY, 8);
}

QRect DialogUnits::MapRect(int x, int y, int cx, int cy) const {
    const int left = MapX(x);
    const int top = MapY(y);
    return QRect(left, top, MapX(x + cx) - left, MapY(y + cy) - top);
}

QFont DialogFont(int pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}

DialogUnits BuildDialog(QWidget* dialog, const DialogTemplate& tmpl) {
    const QFont font = DialogFont(tmpl.fontPointSize);
    dialog->setFont(font);
    const DialogUnits units = DialogUnits::FromFont(font);

    dialog->setWindowFlags(DialogWindowFlags(tmpl.style));
    dialog->setWindowTitle(QString::fromUtf8(tmpl.caption));
    const QSize client = units.MapRect(0, 0, tmpl.cx, tmpl.cy).size();
    if ((tmpl.style & DlgStyle::ThickFrame) || (tmpl.style & DlgStyle::Child))
        dialog->resize(client);
    else
        dialog->setFixedSize(client);

    std::vector<CXRadioGroup*> groups;
    for (const ControlTemplate& ct : tmpl.controls) {
        QRect rect = units.MapRect(ct.x, ct.y, ct.cx, ct.cy);
        QWidget* control = nullptr;
        switch (ct.kind) {
        case ControlKind::Static:
            control = CreateStatic(ct, dialog);
            break;
        case ControlKind::Picture:
            control = CreatePicture(ct, dialog, rect);
            break;
        case ControlKind::Edit:
            control = CreateEdit(ct, dialog);
            break;
        case ControlKind::PushButton: {
            auto* button = new CXButton(dialog);
            button->SetText(QString::fromUtf8(ct.text));
            control = button;
            break;
        }
        case ControlKind::CheckBox:
            control = new CXCheckBox(QString::fromUtf8(ct.text), dialog);
            break;
        case ControlKind::RadioButton:
            if (ct.style & CtlStyle::Group) {
                auto* group = new CXRadioGroup(QString::fromUtf8(ct.text), dialog);
                groups.push_back(group);
                control = group;
            } else {
                auto* radio = new QRadioButton(QString::fromUtf8(ct.text), dialog);
                radio->setAutoExclusive(false);
                QObject::connect(radio, &QRadioButton::clicked, radio,
                                 [radio] { PostControlCommand(radio, kBnClicked); });
                control = radio;
            }
            break;
        }
        SetControlId(control, ct.id);
        SetControlStyle(control, ct.style);
        control->setGeometry(rect);
        if (ct.kind != ControlKind::Static && ct.kind != ControlKind::Picture)
            control->setFocusPolicy((ct.style & CtlStyle::TabStop) ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
        if (ct.style & CtlStyle::Disabled)
            control->setEnabled(false);
        if (ct.style & CtlStyle::Hidden)
            control->setHidden(true);
    }
    for (CXRadioGroup* group : groups)
        group->BindGroup();
    return units;
}
