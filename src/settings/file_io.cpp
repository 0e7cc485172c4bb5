#include "settings/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace {

const char kUnreadable[] = "cannot be read";
const char kUnwritable[] = "cannot be written";

bool Fail(std::string* err, const std::string& path, const std::string& problem) {
  if (err) *err = path + ": " + problem;
  return false;
}

bool FailErrno(std::string* err, const std::string& path, const char* what, int error) {
  return Fail(err, path, std::string(what) + " (" + std::generic_category().message(error) + ")");
}

std::string SizeText(size_t bytes) {
  constexpr size_t kMB = 1024 * 1024;
  if (bytes >= kMB && bytes % kMB == 0) return std::to_string(bytes / kMB) + " MB";
  return std::to_string(bytes) + " bytes";
}

bool TooLarge(std::string* err, const std::string& path, size_t max_size) {
  return Fail(err, path, "is larger than " + SizeText(max_size));
}

// Reads the open file `fd` to its end into `contents`.
bool ReadOpenFile(int fd, const std::string& path, std::string* contents, size_t max_size,
                  std::string* err) {
  struct stat info;
  if (fstat(fd, &info) != 0) return FailErrno(err, path, kUnreadable, errno);
  if (!S_ISREG(info.st_mode)) return Fail(err, path, "is not a regular file");
  if (static_cast<uint64_t>(info.st_size) > max_size) return TooLarge(err, path, max_size);
  contents->reserve(info.st_size);
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailErrno(err, path, kUnreadable, errno);
    if (n == 0) return true;
    if (contents->size() + n > max_size) return TooLarge(err, path, max_size);
    contents->append(buffer, n);
  }
}

constexpr std::string_view kTempPrefix = ".kesto-", kTempSuffix = ".tmp";

// The process that wrote the temporary file `name`, or 0 when the name is
// not one of ours: ".kesto-<pid>-<n>.tmp".
pid_t TempOwner(const std::string& name) {
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return 0;
  std::string middle =
      name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
  size_t dash = middle.find('-');
  if (dash == 0 || dash == std::string::npos || dash > 9 ||
      middle.find_first_not_of("0123456789-") != std::string::npos)
    return 0;
  return static_cast<pid_t>(std::stol(middle.substr(0, dash)));
}

// Opens a new hidden file next to `path`; its name goes to `temp`. The name
// is short, so that a file whose own name is near the length limit can
// still be written.
int CreateTempBeside(const std::string& path, std::string* temp) {
  static std::atomic<unsigned> counter{0};
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temp = folder + std::string(kTempPrefix) + std::to_string(getpid()) + "-" +
            std::to_string(counter++) + std::string(kTempSuffix);
    int fd = open(temp->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the new file the permissions of the regular file it replaces.
void KeepMode(int fd, const std::string& path) {
  struct stat old;
  if (lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
}

// Compares the open file with `contents`, a block at a time.
bool SameBytes(int fd, std::string_view contents) {
  char buffer[65536];
  for (size_t at = 0;;) {
    ssize_t n = pread(fd, buffer, sizeof buffer, static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0 && at == contents.size();
    if (static_cast<size_t>(n) > contents.size() - at ||
        contents.compare(at, static_cast<size_t>(n), buffer, static_cast<size_t>(n)) != 0)
      return false;
    at += static_cast<size_t>(n);
  }
}

// The path a chain of symbolic links at `path` ends at: `path` itself when it
// is no link, "" after more links than the system follows (a loop).
std::string LinkEnd(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(static_cast<size_t>(info.st_size) + 1, '\0');
    ssize_t n = readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) return path;
    target.resize(static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    if (target.front() != '/' && slash != std::string::npos)
      target.insert(0, path, 0, slash + 1);  // relative to the link's folder
    path = target;
  }
  return "";
}

}  // namespace

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    data.remove_prefix(n);
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string* contents, std::string* err,
                   size_t max_size) {
  contents->clear();
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FailErrno(err, path, "cannot be opened", errno);
  bool ok = ReadOpenFile(fd, path, contents, max_size, err);
  close(fd);
  if (!ok) contents->clear();
  return ok;
}

bool WriteFileAtomic(const std::string& path, std::string_view contents, std::string* err,
                     bool flush) {
  std::string temp;
  int fd = CreateTempBeside(path, &temp);
  if (fd < 0) return FailErrno(err, path, kUnwritable, errno);
  KeepMode(fd, path);
  bool ok = WriteAll(fd, contents) && (!flush || fdatasync(fd) == 0);
  int error = errno;
  if (close(fd) != 0 && ok) ok = false, error = errno;
  if (ok && rename(temp.c_str(), path.c_str()) != 0) ok = false, error = errno;
  if (ok) return true;
  unlink(temp.c_str());
  return FailErrno(err, path, kUnwritable, error);
}

bool WriteSettingsFile(const std::string& path, std::string_view contents, std::string* err) {
  std::string target = LinkEnd(path);
  if (target.empty()) return FailErrno(err, path, kUnwritable, ELOOP);
  return WriteFileAtomic(target, contents, err);
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FileHolds(const std::string& path, std::string_view contents) {
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool same = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uint64_t>(info.st_size) == contents.size() && SameBytes(fd, contents);
  close(fd);
  return same;
}

void RemoveAbandonedTemps(const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    pid_t owner = TempOwner(name);
    if (owner > 0 && owner != getpid() && kill(owner, 0) != 0 && errno == ESRCH)
      unlink((folder + "/" + name).c_str());
  }
}

void RemoveAbandonedTemps(const std::string& folder) {
  std::vector<std::string> temps;
  DIR* stream = opendir(folder.empty() ? "/" : folder.c_str());
  if (!stream) return;
  while (const dirent* entry = readdir(stream))
    if (std::string_view(entry->d_name).starts_with(kTempPrefix)) temps.emplace_back(entry->d_name);
  closedir(stream);
  RemoveAbandonedTemps(folder, temps);
}
