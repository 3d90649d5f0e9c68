#include "qt/controls/CXEdit.h"

#include "qt/controls/ControlNotify.h"
#include "qt/controls/SkinColors.h"

#include <QMouseEvent>
#include <QPlainTextEdit>

void ApplyEditColours(QWidget* edit) {
    bool readOnly = false;
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        readOnly = line->isReadOnly();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(edit))
        readOnly = text->isReadOnly();
    else
        return;
    const bool editable = edit->isEnabled() && !readOnly;
    QPalette pal = edit->palette();
    const QColor base = SkinColor(editable ? Skin::EditBackground : Skin::DialogBackground);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, base);
    if (qobject_cast<QPlainTextEdit*>(edit)) {
        // A pane draws its selection in the inactive colours while it lacks the focus: there the
        // selection is hidden, as an edit control hides it, instead of staying bright.
        pal.setColor(QPalette::Inactive, QPalette::Highlight, base);
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Inactive, QPalette::Text));
    }
    edit->setPalette(pal);
}

CXEdit::CXEdit(QWidget* parent) : QLineEdit(parent) {
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QLineEdit::textChanged, this, &CXEdit::OnTextChanged);
    ApplyColours();
}

void CXEdit::SetText(const std::string& text) {
    m_strText = text;
    setText(QString::fromStdString(text));
}

void CXEdit::OnTextChanged(const QString& text) {
    m_strText = text.toStdString();
    // To the dialog; a control inside a page also tells the dialog around the page.
    PostControlCommand(this, kEnChange, true);
}

void CXEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept(); // no context menu
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CXEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange)
        ApplyColours();
}

void CXEdit::ApplyColours() {
    ApplyEditColours(this);
}
