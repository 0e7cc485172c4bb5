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
  return {std::istreambuf_iterator<char>(in), {}};
}

/// Writes `contents` to the file at `path` as they are.
inline void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

/// Everything written to `file` so far, such as a std::tmpfile().
inline std::string ReadAll(std::FILE* file) {
  std::fseek(file, 0, SEEK_END);
  std::string text(static_cast<size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  return text.substr(0, std::fread(text.data(), 1, text.size(), file));
}

/// Has Path(name), Write(name, contents), Read(name) ("" when it cannot be
/// read) and Count() (entries in the folder) for names inside the folder.
class TempFolder {
 public:
  TempFolder() : path_((std::filesystem::temp_directory_path() / "kesto-test-XXXXXX").string()) {
    if (!mkdtemp(path_.data())) path_.clear();
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  void Write(const std::string& name, const std::string& contents) const {
    WriteFile(Path(name), contents);
  }
  std::string Read(const std::string& name) const { return ReadFile(Path(name)); }
  size_t Count() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  std::string path_;
};
