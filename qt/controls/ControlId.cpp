#include "qt/controls/ControlId.h"

#include <QVariant>
#include <QWidget>

namespace {

const char kIdProperty[] = "cxControlId";
const char kStyleProperty[] = "cxControlStyle";

} // namespace

int ControlId(const QWidget* control) {
    if (!control)
        return kNoId;
    const QVariant id = control->property(kIdProperty);
    return id.isValid() ? id.toInt() : kNoId;
}

void SetControlId(QWidget* control, int id) {
    control->setProperty(kIdProperty, id);
}

unsigned ControlStyle(const QWidget* control) {
    return control ? control->property(kStyleProperty).toUInt() : 0u;
}

void SetControlStyle(QWidget* control, unsigned style) {
    control->setProperty(kStyleProperty, style);
}
