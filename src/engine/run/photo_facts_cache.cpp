#include "run/photo_facts_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <unordered_map>

#include "pictures/photo_facts_read.h"
#include "settings/file_io.h"
#include "settings/text.h"

namespace {

// The text fields of a line after name, size and time.
constexpr std::array kFactFields = {&PhotoFacts::date_taken, &PhotoFacts::caption,
                                    &PhotoFacts::camera,     &PhotoFacts::lens,
                                    &PhotoFacts::exposure,   &PhotoFacts::keywords};
constexpr size_t kLineFields = 3 + kFactFields.size();

// Names and captions may hold any byte: tabs, line ends and backslashes are
// written as \t, \n, \r and \\.
std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    const char* escaped = c == '\\'   ? "\\\\"
                          : c == '\t' ? "\\t"
                          : c == '\n' ? "\\n"
                          : c == '\r' ? "\\r"
                                      : nullptr;
    if (escaped)
      out += escaped;
    else
      out += c;
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char c = text[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> parts;
  for (size_t end; (end = line.find(separator)) != std::string_view::npos;) {
    parts.push_back(line.substr(0, end));
    line.remove_prefix(end + 1);
  }
  parts.push_back(line);
  return parts;
}

// A whole decimal number, or false.
template <typename Number>
bool ReadNumber(std::string_view text, Number* value) {
  if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != text.npos)
    return false;
  *value = static_cast<Number>(std::stoull(std::string(text)));
  return true;
}

bool ParseLine(std::string_view line, PictureFile* file) {
  std::vector<std::string_view> parts = Split(line, '\t');
  if (parts.size() != kLineFields || !ReadNumber(parts[1], &file->size) ||
      !ReadNumber(parts[2], &file->mtime_ns))
    return false;
  file->name = Unescape(parts[0]);
  for (size_t i = 0; i < kFactFields.size(); ++i)
    file->facts.*kFactFields[i] = Unescape(parts[3 + i]);
  return true;
}

enum class CacheFile { kMissing, kOwn, kForeign };

// Reads the cache at `path` without following a link.
CacheFile ReadCache(const std::string& path, std::string* text) {
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? CacheFile::kMissing : CacheFile::kForeign;
  struct stat st;
  bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buffer[65536];
  for (ssize_t n; regular && (n = read(fd, buffer, sizeof buffer)) > 0;) text->append(buffer, n);
  close(fd);
  return regular && text->starts_with(kFactsCacheMark) ? CacheFile::kOwn : CacheFile::kForeign;
}

std::string FactsCacheText(const std::vector<PictureFile>& pictures) {
  std::string text(kFactsCacheMark);
  for (const PictureFile& p : pictures) {
    text += Escape(p.name) + "\t" + std::to_string(p.size) + "\t" + std::to_string(p.mtime_ns);
    for (auto field : kFactFields) text += "\t" + Escape(p.facts.*field);
    text += "\n";
  }
  return text;
}

std::vector<PictureFile> ParseFactsCache(std::string_view text) {
  std::vector<PictureFile> files;
  if (!text.starts_with(kFactsCacheMark)) return files;
  text.remove_prefix(kFactsCacheMark.size());
  for (std::string_view line : Split(text, '\n'))
    if (PictureFile file; ParseLine(line, &file)) files.push_back(std::move(file));
  return files;
}

}  // namespace

std::string FillPhotoFacts(const std::string& dir, const std::string& thumb_dir,
                           std::vector<PictureFile>* pictures) {
  std::string path = thumb_dir + "/" + kFactsCacheName;
  std::string text;
  CacheFile cache = ReadCache(path, &text);
  std::unordered_map<std::string, PictureFile> cached;
  for (PictureFile& file : ParseFactsCache(text)) cached[file.name] = std::move(file);
  bool changed = cached.size() != pictures->size();
  for (PictureFile& picture : *pictures) {
    auto it = cached.find(picture.name);
    if (it != cached.end() && it->second.size == picture.size &&
        it->second.mtime_ns == picture.mtime_ns) {
      picture.facts = std::move(it->second.facts);
      continue;
    }
    picture.facts = ReadPhotoFacts(dir + "/" + picture.name);
    changed = true;
  }
  if (cache == CacheFile::kForeign)
    return path + " is not KESTO's metadata cache: it is left as it is";
  std::string error;  // a cache that cannot be written is read anew next time
  if (changed) WriteFileAtomic(path, FactsCacheText(*pictures), &error, false);
  return "";
}
