// Whole-file reads and crash-safe whole-file writes for the settings files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// Settings files are small; a larger file is refused rather than read.
inline constexpr size_t kMaxSettingsFileSize = 16 * 1024 * 1024;

/// Writes all of `data` to the open file `fd`, going on after interrupted
/// writes; false with errno set when a write fails.
bool WriteAll(int fd, std::string_view data);

/// Reads the regular file `path` into `contents`. Fails with a message naming
/// the file when it cannot be opened, is not a regular file (a folder, a
/// pipe) or holds more than `max_size` bytes.
bool ReadWholeFile(const std::string& path, std::string* contents, std::string* err,
                   size_t max_size = kMaxSettingsFileSize);

/// Replaces `path` with `contents`: the bytes go to a hidden temporary file in
/// the same folder, which is flushed to disk (unless `flush` is false) and
/// renamed into place, keeping the old file's permissions. A link at `path`
/// is replaced, never written through. On any failure the temporary file is
/// deleted, the old file is untouched and `err` names `path`.
bool WriteFileAtomic(const std::string& path, std::string_view contents, std::string* err,
                     bool flush = true);

/// WriteFileAtomic() for a file the user keeps (a settings or state file): a
/// symbolic link at `path` (or a chain of them) is written through, so the
/// file it ends at is the one replaced, and the link stays as it is. A chain
/// that never ends at a file name (a loop) fails.
bool WriteSettingsFile(const std::string& path, std::string_view contents, std::string* err);

/// True when `path` is, or links to, a regular file.
bool IsRegularFile(const std::string& path);

/// True when `path` is a regular file (not a link) holding exactly `contents`.
bool FileHolds(const std::string& path, std::string_view contents);

/// Deletes, among `names` in `folder`, the temporary files of WriteFileAtomic
/// whose writing process is gone (killed before it could clean up).
void RemoveAbandonedTemps(const std::string& folder, const std::vector<std::string>& names);

/// RemoveAbandonedTemps() over the whole listing of `folder`.
void RemoveAbandonedTemps(const std::string& folder);
