// A real temporary folder for one test, removed with everything in it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

/// The bytes of the file at `path`, "" when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

/// Writes `contents` to the file at `path` as they are.
inline void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

/// Everything written to `file` so far, such as a std::tmpfile().
inline std::string ReadAll(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kesto-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The path of `name` inside the folder.
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

  /// Writes `contents` to `name` as they are.
  void Write(const std::string& name, const std::string& contents) const {
    WriteFile(Path(name), contents);
  }

  /// The bytes of `name`, "" when it cannot be read.
  std::string Read(const std::string& name) const { return ReadFile(Path(name)); }

  /// Number of entries in the folder.
  size_t Count() const {
    auto it = std::filesystem::directory_iterator(path_);
    return static_cast<size_t>(std::distance(it, std::filesystem::directory_iterator()));
  }

 private:
  std::string path_;
};
