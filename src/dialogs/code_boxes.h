// The code boxes of the settings dialogs and editors: plain-text editors for
// HTML and script code, with a tag list beside some of them.
#pragma once

#include <QStringList>
#include <functional>

class QLineEdit;
class QWidget;

/// Gives every code box (plain-text editor) of `window` a fixed-width font
/// and lets Tab move the focus on instead of typing a tab.
void SetUpCodeBoxes(QWidget* window);

/// Fills `frame` with one row per tag: a read-only box holding the tag,
/// "txtTag1", "txtTag2", ..., and a "Copy" button beside it, "cmdCopy1", ...,
/// that puts the tag on the clipboard and then runs `after_copy`.
void AddTagRows(QWidget* frame, const QStringList& tags, const std::function<void()>& after_copy);

/// Makes `box` select its whole text whenever it gets the focus.
void SelectAllOnFocus(QLineEdit* box);

/// Makes `box` put the caret at the end of its text, nothing selected,
/// whenever it gets the focus.
void CaretAtEndOnFocus(QLineEdit* box);
