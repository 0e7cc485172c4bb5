// Page text built line by line, how a page reaches the disk, and the user
// files the page writers copy into pages.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "settings/text.h"

/// How every part of the page writers fails: an index page that cannot be
/// written, a page number beyond the 16-bit range, a title that cannot be
/// cut. It ends the writing of the directory's pages.
struct PageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// What went wrong while a directory's pages were written that the run
/// report has no place for, in order, each naming its file. The run tells
/// them to its host.
using PageWarnings = std::vector<std::string>;

/// Runs `write`, the writing of a directory's pages. A PageError ends it and
/// is told in `warnings` ("the pages stopped early: ..."); false then.
bool WritePagesOrWarn(const std::function<void()>& write, PageWarnings* warnings);

/// Page text being built. Every write is one line ended by CR LF; a value
/// that itself holds line breaks is written unchanged.
struct PageText {
  std::string text;
  /// Starts a page with the UTF-8 byte-order mark, so browsers read it as
  /// UTF-8 whatever a web server declares; keeps the memory of the last one.
  void Start() { text.assign(kUtf8Bom); }
  void Line(std::string_view line) {
    text += line;
    text += "\r\n";
  }
};

/// Puts `text` at `path`. A regular file that already holds exactly these
/// bytes is left as it is; otherwise the text goes to a temporary file beside
/// it that is renamed into place, so a reader never sees half a page and a
/// link at `path` is replaced, never written through. False when the page
/// could not be written, `error` then naming it; the old page stays whole.
bool WritePage(const std::string& path, std::string_view text, std::string* error);

/// A file the user supplied: header, footer, template or snippet.
struct UserFile {
  bool found = false;   // something is at the path (a missing file is reported)
  std::string text;     // its content, a leading byte-order mark dropped
  std::string problem;  // why it is left out of the pages; "" when it is used
};

/// Reads the file at `path` whole. A path with nothing at it gives !found.
/// A folder, a device or a file larger than 16 MiB is left out, and so is one
/// that cannot be read: `problem` says why.
UserFile ReadUserFile(const std::string& path);

/// `value` as a page number or count; throws PageError beyond 16 bits.
int PageNumber(int64_t value);
