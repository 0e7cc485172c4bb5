#include "pages/express_viewer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "pages/titles.h"
#include "pages/web_assets.h"
#include "settings/text.h"
#include "settings/utf8.h"

namespace {

void AppendHex(const char* format, unsigned value, std::string* out) {
  char hex[8];
  std::snprintf(hex, sizeof hex, format, value);
  out->append(hex);
}

bool IsUnreserved(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.' || c == '~';
}

// A JSON string of valid UTF-8 text that no HTML reader takes for markup.
void AppendJsonString(std::string_view text, std::string* out) {
  out->push_back('"');
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out->push_back('\\');
      out->push_back(c);
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      AppendHex("\\u%04x", byte, out);
    } else {
      out->push_back(c);
    }
  }
  out->push_back('"');
}

// True when nothing is at `path` or a regular file that starts with the mark.
bool IsOwnViewerFile(const std::string& path) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  if (status.type() != std::filesystem::file_type::regular) return false;
  std::ifstream in(path, std::ios::binary);
  std::string head(kViewerMark.size(), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  return in && head == kViewerMark;
}

// The title, then on lines of their own the date and caption the pages show.
std::string Title(const Look& look, const Entry& entry) {
  std::string title = GuessesName(look) ? GuessTitle(Trim(entry.name), look.pattern) : entry.name;
  if (IsOn(look.s.ExpressShowDate) && !entry.date_text.empty()) title += "\n" + entry.date_text;
  if (IsOn(look.s.ExpressShowCaption) && !entry.caption_text.empty())
    title += "\n" + entry.caption_text;
  return ReplaceBrokenBytes(title);
}

}  // namespace

bool UsesViewer(const ExpressSettings& settings) { return settings.ExpressLinkTarget == "viewer"; }

std::string ViewerKey(std::string_view name) {
  std::string key;
  for (char c : name)
    if (IsUnreserved(c))
      key.push_back(c);
    else
      AppendHex("%%%02X", static_cast<unsigned char>(c), &key);
  return key;
}

std::string ViewerPictures(const std::vector<Entry>& entries, const Look& look, int64_t per_page) {
  std::string out = "[";
  for (size_t k = 0; k < entries.size(); ++k) {
    out += k == 0 ? "[\"" : ",\n[\"";
    out += ViewerKey(entries[k].name) + "\",";
    AppendJsonString(Title(look, entries[k]), &out);
    out += "," + std::to_string(static_cast<int64_t>(k) / per_page + 1) + "]";
  }
  return out + "]";
}

std::string ViewerFileText(const std::string& pictures) {
  return std::string(kViewerMark) + "var kestoPictures = " + pictures + ";\n" +
         std::string(ViewerScript());
}

bool WriteViewerFile(const std::string& dir, const std::string& pictures, PageWarnings* warnings) {
  const std::string path = dir + "/" + kViewerFile;
  if (!IsOwnViewerFile(path)) {
    warnings->push_back(path +
                        " is not the viewer's own file: it stays as it is, and the pages open "
                        "pictures without the viewer");
    return false;
  }
  std::string error;
  if (WritePage(path, ViewerFileText(pictures), &error)) return true;
  warnings->push_back(error + "; the pages open pictures without the viewer");
  return false;
}

std::string ViewerStyleElement() { return "<style>" + std::string(ViewerStyle()) + "</style>"; }

void WriteViewer(std::string* out, int page) {
  Write(out, "<script src=\"", kViewerFile, "\" data-page=\"", std::to_string(page),
        "\"></script>");
}
