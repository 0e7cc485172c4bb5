// The picture types a gallery takes: always JPEG, GIF and BMP (".jpg",
// ".jpeg", ".gif", ".bmp"), and the extra types a user chooses to add.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// The picture types beyond the standard ones, in the order they are listed.
enum class ExtraFormat { kPng, kWebp, kTiff, kHeic, kAvif };

struct ExtraFormatInfo {
  ExtraFormat format;
  std::string_view name;                       // as --formats and nd.ini write it: "heic"
  std::string_view label;                      // as the main window shows it: "HEIC/HEIF"
  std::array<std::string_view, 2> extensions;  // lower case, without the dot; "" when none
};

inline constexpr std::array<ExtraFormatInfo, 5> kExtraFormats = {{
    {ExtraFormat::kPng, "png", "PNG", {"png", ""}},
    {ExtraFormat::kWebp, "webp", "WebP", {"webp", ""}},
    {ExtraFormat::kTiff, "tiff", "TIFF", {"tif", "tiff"}},
    {ExtraFormat::kHeic, "heic", "HEIC/HEIF", {"heic", "heif"}},
    {ExtraFormat::kAvif, "avif", "AVIF", {"avif", ""}},
}};

/// A set of extra types; the empty set (the default) takes the standard
/// types alone.
struct ExtraFormats {
  uint8_t bits = 0;

  bool Has(ExtraFormat format) const { return (bits & Bit(format)) != 0; }
  void Add(ExtraFormat format) { bits = static_cast<uint8_t>(bits | Bit(format)); }
  bool empty() const { return bits == 0; }
  bool operator==(const ExtraFormats&) const = default;

 private:
  static uint8_t Bit(ExtraFormat format) { return static_cast<uint8_t>(1u << int(format)); }
};

/// The types named in a list such as "png, WebP,heic": names compared without
/// regard to case, blanks around them ignored, "tif" and "heif" taken for
/// "tiff" and "heic", empty items skipped ("" is the empty set). False, with
/// `err` naming the first unknown name, when a name is none of them.
bool ParseExtraFormats(std::string_view text, ExtraFormats* formats, std::string* err);

/// The set as a list in the fixed order: "png,heic"; "" for the empty set.
std::string ExtraFormatsText(ExtraFormats formats);

/// The formats of `a` that `b` also holds.
ExtraFormats CommonFormats(ExtraFormats a, ExtraFormats b);

/// True when `name` ends in ".jpg", ".jpeg", ".gif", ".bmp" or an extension of
/// one of the `extra` types, in any letter case.
bool HasPictureExtension(std::string_view name, ExtraFormats extra = {});
