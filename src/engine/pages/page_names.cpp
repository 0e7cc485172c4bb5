#include "pages/page_names.h"

#include <algorithm>
#include <cctype>

#include "pages/page_output.h"
#include "settings/text.h"

namespace {

constexpr int64_t kMaxUnits = 255;  // no file name is longer

std::string_view PageExtension(const std::string& html_ext) {
  for (size_t i = 0; i < kPageExtensions.size(); ++i)
    if (html_ext == NumText(static_cast<int64_t>(i))) return kPageExtensions[i];
  return kPageExtensions[0];
}

}  // namespace

std::span<const std::string_view> OldPageExtensions(bool advanced) {
  return std::span(kPageExtensions).first(advanced ? kPageExtensions.size() : 3);
}

bool IsLandingPage(std::string_view page_name) {
  std::string_view landing = kLandingPageName;
  return std::equal(
      page_name.begin(), page_name.end(), landing.begin(), landing.end(),
      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::string PicturePageClash(const std::string& dir, const std::string& picture,
                             const std::string& page_name, bool index_page) {
  const char* replaced = IsLandingPage(page_name) ? "the folder's landing page"
                         : index_page             ? "an index page"
                                                  : nullptr;
  if (!replaced) return "";
  return dir + "/" + picture + ": its picture page " + page_name + " would replace " + replaced +
         "; it is not written";
}

std::string ExpressPageFileName(int page) { return "page" + NumText(page) + ".html"; }

std::string MakePageFileName(int number, const AdvancedSettings& s) {
  std::string digits = NumText(number);
  int64_t units = std::min(RoundHalfEven(Val(s.Units)), kMaxUnits);
  if (static_cast<int64_t>(digits.size()) < units) digits.insert(0, units - digits.size(), '0');
  std::string name = s.AsPrefix ? digits + s.PageFileName : s.PageFileName + digits;
  return name.append(PageExtension(s.HTMLExt));
}

std::string PositionFileName(int start_at, int64_t position, const AdvancedSettings& s) {
  return MakePageFileName(PageNumber(PositionFileNumber(start_at, position)), s);
}
