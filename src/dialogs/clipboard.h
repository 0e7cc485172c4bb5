// The clipboard of every window. A test sees what is put on it through a hook
// instead.
#pragma once

#include <QString>
#include <functional>

/// Clears the clipboard and puts `text` on it as plain text; a hook, when
/// set, takes the text instead.
void PutOnClipboard(const QString& text);

using ClipboardHook = std::function<void(const QString& text)>;

/// Makes `hook` take every text from now on; an empty hook brings back the
/// clipboard.
void SetClipboardHook(ClipboardHook hook);
