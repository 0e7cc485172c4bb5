// Opening folders, files and web addresses through the desktop, and starting
// programs. A test sees the request through a hook instead.
#pragma once

#include <QString>
#include <functional>

struct DesktopRequest {
  enum Kind { kOpen, kStart };
  Kind kind = kOpen;
  QString target;  // a URL to open, or the path of a program to start
};

/// Opens `url` (a web address, or a file:// URL of a folder or file) with
/// the desktop's program for it; false when that fails.
bool OpenThroughDesktop(const QString& url);

/// Starts the program at `path` on its own; false when it cannot be started.
bool StartProgram(const QString& path);

using DesktopHook = std::function<bool(const DesktopRequest&)>;

/// Makes `hook` take every request from now on; an empty hook brings back the
/// desktop.
void SetDesktopHook(DesktopHook hook);
