#include "qt/controls/ControlNotify.h"

#include "qt/controls/ControlId.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

// Found by class name, so that the controls need not know the dialog class.
bool IsDialog(const QWidget* widget) {
    return widget && widget->inherits("CXDialog");
}

} // namespace

QEvent::Type ControlCommandEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostCommandTo(QWidget* target, int id, int code) {
    // The event queue owns a posted event.
    QCoreApplication::postEvent(target, new ControlCommandEvent(id, code));
}

void PostControlCommand(QWidget* control, int code, bool alsoGrandparent) {
    if (!control)
        return;
    QWidget* parent = control->parentWidget();
    QWidget* dialog = IsDialog(parent) ? parent : nullptr;
    if (!dialog && alsoGrandparent && parent && IsDialog(parent->parentWidget()))
        dialog = parent->parentWidget();
    if (dialog)
        PostCommandTo(dialog, ControlId(control), code);
}
