// The file and folder pickers of every window. A test answers them through a
// hook instead of a person.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct FileRequest {
  enum Kind { kOpen, kSave, kFolder };
  Kind kind = kOpen;
  QString title;
  QString filter;  // "Directory List (*.dir)"; none for a folder
  QString suffix;  // added to a saved name that has none: "dir"
};

/// The path chosen in a modal picker over `parent`, "" when the user
/// cancelled. Open needs an existing file; Save asks before it replaces one.
/// A hook, when set, answers instead.
QString AskForPath(QWidget* parent, const FileRequest& request);

using FileHook = std::function<QString(const FileRequest&)>;

/// Makes `hook` answer every picker from now on; an empty hook brings back
/// the real pickers.
void SetFileHook(FileHook hook);
