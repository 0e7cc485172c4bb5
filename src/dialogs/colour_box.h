// The colour box of the code editors: cmdColor, txtColor and cmdFont. A
// colour chosen with "Color" goes as HTML colour text ("#RRGGBB") into
// txtColor, onto the clipboard and into the insertion target; "FONT" opens
// the font tag builder.
#pragma once

struct EditorMemory;
class QWidget;

/// Wires the colour box of `window` to the insertion target and the font
/// builder of `editors`; txtColor selects its text when it gets the focus and
/// disarms the target when it loses it.
void ConnectColourBox(QWidget* window, EditorMemory* editors);
