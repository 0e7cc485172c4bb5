// Page text built line by line, and the user files the page writers read.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

/// Ends the writing of a directory's pages: a page that cannot be opened or
/// written, or a page number beyond the 16-bit range.
struct PageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

/// A page being built. Every write is one line ended by CR LF; a value that
/// itself holds line breaks is written unchanged.
struct PageText {
  std::string text;
  void Line(std::string_view line) {
    text += line;
    text += "\r\n";
  }
};

/// A page file opened for replacing. Its new text is written over the old
/// one and the file is then cut to the new length: rewriting a gallery
/// reuses the room of its old pages instead of freeing and taking it anew.
class PageFile {
 public:
  explicit PageFile(const std::string& path);  // creates the file when missing
  ~PageFile();
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  bool is_open() const { return fd_ >= 0; }
  /// Writes `text` as the whole file and closes it; false with errno set
  /// when that failed.
  bool Replace(std::string_view text);

 private:
  int fd_;
};

/// A file the user supplied: header, footer, template or snippet.
struct UserFile {
  bool found = false;  // a regular file is at the path
  std::string text;    // its whole content, as far as it could be read
};

/// Reads the file at `path` whole. Never fails: a missing file gives
/// !found, a read error keeps what was read before it.
UserFile ReadUserFile(const std::string& path);

/// `value` as a page number or count; throws PageError beyond 16 bits.
int PageNumber(int64_t value);
