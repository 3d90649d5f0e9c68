#include "controls/ControlNotify.h"

#include "controls/CXDialog.h"
#include "controls/DialogBuilder.h"

#include <QPointer>
#include <QTimer>

namespace {

CXDialog* AsDialog(QWidget* widget) {
    return qobject_cast<CXDialog*>(widget);
}

} // namespace

void PostControlCommand(QWidget* control, int code, bool alsoGrandparent) {
    if (!control)
        return;
    QWidget* parent = control->parentWidget();
    CXDialog* dialog = AsDialog(parent);
    if (!dialog && alsoGrandparent && parent)
        dialog = AsDialog(parent->parentWidget());
    if (dialog)
        dialog->PostCommand(ControlId(control), code);
}
