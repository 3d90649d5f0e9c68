#pragma once

#include "uilogic/DialogTemplate.h"

class QWidget;

// Every control carries the id and the style flags of its template entry, so that a dialog
// finds it by id and the small controls read their flags without knowing the builder.

// The id under which a dialog finds a control, kNoId for none.
int ControlId(const QWidget* control);
void SetControlId(QWidget* control, int id);

// The style flags a control was built with (CtlStyle).
unsigned ControlStyle(const QWidget* control);
void SetControlStyle(QWidget* control, unsigned style);
