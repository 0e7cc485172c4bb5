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
  QString folder;  // where the picker starts: the state folder
};

/// The path chosen in a modal picker over `parent`, "" when the user
/// cancelled. Open needs an existing file; Save asks before it replaces one.
/// A hook, when set, answers instead.
QString AskForPath(QWidget* parent, const FileRequest& request);

/// The folder picker titled `title` with a check box `option` below it
/// ("Add with subfolders"): the chosen folder, "" when cancelled, and in
/// `checked` whether the box was checked (never when cancelled). The picker
/// is Qt's own, never the desktop's. The file hook answers the folder, the
/// option hook the box.
QString AskForFolder(QWidget* parent, const QString& title, const QString& option, bool* checked);

using FileHook = std::function<QString(const FileRequest&)>;

/// Makes `hook` answer every picker from now on; an empty hook brings back
/// the real pickers.
void SetFileHook(FileHook hook);

using OptionHook = std::function<bool(const QString& option)>;

/// Makes `hook` answer the check box of every picker that has one; without
/// a hook (or while the file hook answers alone) the box stays unchecked.
void SetOptionHook(OptionHook hook);
