#include "settings/picture_formats.h"

#include "settings/text.h"

namespace {

constexpr std::array<std::string_view, 4> kStandardExtensions = {"jpg", "jpeg", "gif", "bmp"};

// The type a list item names, also under its other spelling.
const ExtraFormatInfo* FindFormat(const std::string& name) {
  std::string wanted = name == "tif" ? "tiff" : name == "heif" ? "heic" : name;
  for (const ExtraFormatInfo& info : kExtraFormats)
    if (info.name == wanted) return &info;
  return nullptr;
}

}  // namespace

bool ParseExtraFormats(std::string_view text, ExtraFormats* formats, std::string* err) {
  ExtraFormats parsed;
  for (const std::string& item : ParseString(text, ",")) {
    std::string name = LowerCase(Trim(item));
    if (name.empty()) continue;
    const ExtraFormatInfo* info = FindFormat(name);
    if (!info) {
      if (err) *err = "\"" + Trim(item) + "\" is not one of png, webp, tiff, heic, avif";
      return false;
    }
    parsed.Add(info->format);
  }
  *formats = parsed;
  return true;
}

std::string ExtraFormatsText(ExtraFormats formats) {
  std::string text;
  for (const ExtraFormatInfo& info : kExtraFormats) {
    if (!formats.Has(info.format)) continue;
    if (!text.empty()) text += ",";
    text += info.name;
  }
  return text;
}

ExtraFormats CommonFormats(ExtraFormats a, ExtraFormats b) {
  return ExtraFormats{static_cast<uint8_t>(a.bits & b.bits)};
}

bool HasPictureExtension(std::string_view name, ExtraFormats extra) {
  std::string ext = LowerCase(GetExtension(name));
  if (ext.empty()) return false;
  for (std::string_view standard : kStandardExtensions)
    if (ext == standard) return true;
  for (const ExtraFormatInfo& info : kExtraFormats)
    if (extra.Has(info.format) && (ext == info.extensions[0] || ext == info.extensions[1]))
      return true;
  return false;
}
