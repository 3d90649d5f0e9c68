#include "qt/controls/CXDialog.h"

#include "qt/controls/ControlId.h"
#include "qt/controls/ControlNotify.h"
#include "qt/controls/FrameButtons.h"
#include "qt/controls/SkinColors.h"
#include "uilogic/DialogFit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QWindow>

#include <vector>

namespace {

// The direct child of `window` with this control id, or null.
QWidget* FindControl(const QWidget* window, int id) {
    if (!window || id == kNoId)
        return nullptr;
    const auto children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (ControlId(child) == id)
            return child;
    }
    return nullptr;
}

} // namespace

CXDialog::CXDialog(const DialogTemplate& tmpl, QWidget* parent)
    : QDialog(parent), m_templateId(tmpl.id), m_style(tmpl.style) {
    m_units = BuildDialog(this, tmpl);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, SkinColor(Skin::DialogBackground));
    pal.setColor(QPalette::WindowText, SkinColor(Skin::ButtonText));
    setPalette(pal);
    setAutoFillBackground(true);
    // Key presses for any control of the dialog pass PreTranslateMessage first, including
    // those of embedded web views, which never hand Esc back to their parents.
    qApp->installEventFilter(this);
}

CXDialog::~CXDialog() {
    qApp->removeEventFilter(this);
}

QRect CXDialog::MapDialogRect(int x, int y, int cx, int cy) const {
    return m_units.MapRect(x, y, cx, cy);
}

QWidget* CXDialog::Control(int id) const {
    return FindControl(this, id);
}

void CXDialog::AddToolTip(QWidget* control, const QString& text) {
    if (control)
        control->setToolTip(text);
}

void CXDialog::PostCommand(int id, int code) {
    PostCommandTo(this, id, code);
}

bool CXDialog::event(QEvent* event) {
    if (event->type() == ControlCommandEvent::EventType()) {
        const auto* command = static_cast<const ControlCommandEvent*>(event);
        DispatchCommand(command->Id(), command->Code());
        return true;
    }
    return QDialog::event(event);
}

void CXDialog::DispatchCommand(int id, int code) {
    emit commandReceived(id, code);
    OnCommand(id, code);
}

void CXDialog::accept() {
    OnOK();
}
void CXDialog::reject() {
    OnCancel();
}

void CXDialog::OnCommand(int id, int code) {
    if (code != 0)
        return;
    if (id == DialogId::Ok)
        OnOK();
    else if (id == DialogId::Cancel)
        OnCancel();
}

void CXDialog::OnOK() {
    QDialog::accept();
}
void CXDialog::OnCancel() {
    QDialog::reject();
}

bool CXDialog::PreTranslateMessage(QObject* /*receiver*/, QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    for (QWidget* window = this; window; window = window->parentWidget()) {
        if (QWidget* cancel = FindControl(window, DialogId::Cancel)) {
            auto* dialog = qobject_cast<CXDialog*>(window);
            if (dialog && cancel->isEnabled())
                dialog->PostCommand(DialogId::Cancel, 0);
            break;
        }
    }
    return true;
}

void CXDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter that no control wanted presses the default button (or OK).
        QWidget* target = nullptr;
        const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (ControlStyle(child) & CtlStyle::Default) {
                target = child;
                break;
            }
        }
        if (!target)
            target = Control(DialogId::Ok);
        if (target && target->isEnabled())
            PostCommand(ControlId(target), 0);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CXDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isVisible() && IsInnermostDialogOf(watched))
        return PreTranslateMessage(watched, static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

bool CXDialog::IsInnermostDialogOf(QObject* receiver) const {
    for (auto* widget = qobject_cast<QWidget*>(receiver); widget; widget = widget->parentWidget()) {
        if (auto* dialog = qobject_cast<CXDialog*>(widget))
            return dialog == this;
        if (widget->isWindow())
            return false; // a window of its own (message box, menu): not ours
    }
    return false;
}

void CXDialog::setVisible(bool visible) {
    if (visible && !m_bFitted) {
        m_bFitted = true;
        FitOnScreen();
        // A window of another window's has a close button only.
        if (parentWidget() && !(m_style & DlgStyle::MinimizeBox))
            AskForCloseButtonOnly(this);
    }
    QDialog::setVisible(visible);
}

void CXDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    // The modal dialog that this window is (or owns), if one is shown.
    const QWidget* modal = QApplication::activeModalWidget();
    for (const QWidget* w = modal; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        if (w == this) {
            // After the window manager has finished minimising the whole chain.
            QMetaObject::invokeMethod(this, &CXDialog::RestoreModalChain, Qt::QueuedConnection);
            return;
        }
    }
}

void CXDialog::RestoreModalChain() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    // Owners first, so that the dialog comes back above them.
    std::vector<QWidget*> chain;
    for (QWidget* w = modal; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        chain.insert(chain.begin(), w);
    for (QWidget* w : chain) {
        if (w->isMinimized())
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    }
    modal->activateWindow();
}

void CXDialog::FitOnScreen() {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* where = owner ? owner->screen() : screen();
    if (!where)
        return;
    // The window manager adds the frame after the window is shown; the owner's frame, when it
    // is known, is the best guess (FitDialogOnScreen assumes one otherwise).
    FrameWidths frame;
    if (owner && owner->windowHandle()) {
        const QMargins m = owner->windowHandle()->frameMargins();
        frame = {m.left(), m.top(), m.right(), m.bottom()};
    }
    const QSize room = where->availableGeometry().size();
    const BoxSize fitted =
        FitDialogOnScreen({width(), height()}, {room.width(), room.height()}, frame);
    if (fitted.width == width() && fitted.height == height())
        return;
    if (minimumSize() == maximumSize())
        setFixedSize(fitted.width, fitted.height);
    else
        resize(fitted.width, fitted.height);
}
