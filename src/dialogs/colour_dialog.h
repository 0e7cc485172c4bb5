// The colour dialog of every window. A test answers it through a hook instead
// of a person.
#pragma once

#include <QColor>
#include <functional>

class QWidget;

/// The colour chosen in a modal colour dialog over `parent` that starts at
/// `initial`; an invalid colour when the user cancelled. A hook, when set,
/// answers instead.
QColor ChooseColour(QWidget* parent, const QColor& initial);

using ColourHook = std::function<QColor(const QColor& initial)>;

/// Makes `hook` answer every colour dialog from now on; an empty hook brings
/// back the real dialog.
void SetColourHook(ColourHook hook);
