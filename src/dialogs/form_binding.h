// Binds a dialog's widgets to its controls' values (settings/form_model.h):
// each control of a form is the widget of its name, a line edit, code box
// (plain-text editor), check box, checkable menu item, option button,
// drop-down list, colour label, label (a caption) or row list (list widget).
#pragma once

#include "forms/form_model.h"

class QObject;
class QWidget;

/// Shows `control` in `widget`; a widget of another kind is left alone.
void ShowControl(const Control& control, QObject* widget);

/// Reads `control` back from `widget`.
void ReadControl(const QObject* widget, Control* control);

/// Shows every control of `form` in the widget of `window` named after it;
/// a name without a widget is passed over. An option button can be shown
/// off even when it is the checked one of its group.
void ShowControls(const Form& form, QWidget* window);

/// Reads every control of `form` back from the widget of its name. A list
/// with no entry chosen keeps the text it had (a font the desktop lacks).
void ReadControls(const QWidget* window, Form* form);
