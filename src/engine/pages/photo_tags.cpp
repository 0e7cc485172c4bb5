#include "pages/photo_tags.h"

#include <chrono>
#include <cstdio>

#include "pages/html_text.h"
#include "pages/page_output.h"
#include "pages/tags.h"
#include "settings/text.h"

namespace {

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

struct DateParts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

std::string Padded(int value, int width, char pad = '0') {
  std::string text = std::to_string(value);
  return text.size() < static_cast<size_t>(width) ? std::string(width - text.size(), pad) + text
                                                  : text;
}

// The text of one conversion, or "" when `c` is not one of ours.
std::string Conversion(char c, const DateParts& d) {
  using namespace std::chrono;
  const year_month_day date{year(d.year), month(d.month), day(d.day)};
  const int weekday = static_cast<int>(std::chrono::weekday(sys_days(date)).c_encoding());
  const int yearday = (sys_days(date) - sys_days(year(d.year) / January / 1)).count() + 1;
  switch (c) {
    case 'Y':
      return Padded(d.year, 4);
    case 'y':
      return Padded(d.year % 100, 2);
    case 'm':
      return Padded(d.month, 2);
    case 'd':
      return Padded(d.day, 2);
    case 'e':
      return Padded(d.day, 2, ' ');
    case 'H':
      return Padded(d.hour, 2);
    case 'I':
      return Padded(d.hour % 12 == 0 ? 12 : d.hour % 12, 2);
    case 'M':
      return Padded(d.minute, 2);
    case 'S':
      return Padded(d.second, 2);
    case 'p':
      return d.hour < 12 ? "AM" : "PM";
    case 'B':
      return kMonths[d.month - 1];
    case 'b':
      return std::string(kMonths[d.month - 1], 3);
    case 'A':
      return kDays[weekday];
    case 'a':
      return std::string(kDays[weekday], 3);
    case 'j':
      return Padded(yearday, 3);
    case '%':
      return "%";
    default:
      return "";
  }
}

}  // namespace

std::string FormatDateTaken(const std::string& date_taken, std::string_view format) {
  DateParts d;
  if (std::sscanf(date_taken.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &d.year, &d.month, &d.day, &d.hour,
                  &d.minute, &d.second) != 6 ||
      d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31)
    return "";
  std::string text;
  for (size_t i = 0; i < format.size(); ++i) {
    std::string part =
        format[i] == '%' && i + 1 < format.size() ? Conversion(format[i + 1], d) : "";
    if (part.empty()) {
      text += format[i];
    } else {
      text += part;
      ++i;
    }
  }
  return text;
}

std::string FillFactTags(const std::string& code, const PhotoFacts& facts,
                         const AdvancedSettings& s) {
  if (code.find('[') == std::string::npos) return code;
  const std::string& format = s.DateFormat.empty() ? kDefaultDateFormat : s.DateFormat;
  const std::string values[] = {FormatDateTaken(facts.date_taken, format),
                                facts.caption,
                                facts.camera,
                                facts.lens,
                                facts.exposure,
                                facts.keywords};
  std::string text = code;
  for (size_t i = 0; i < std::size(kFactTags); ++i)
    if (text.find(kFactTags[i]) != std::string::npos)
      text = FillNameTag(text, kFactTags[i], values[i]);
  return text;
}

bool ShowsPhotoFacts(const AdvancedSettings& s) {
  auto holds_tag = [](const std::string& code) {
    for (const char* tag : kFactTags)
      if (code.find(tag) != std::string::npos) return true;
    return false;
  };
  if (holds_tag(IsOn(s.UseJava) ? s.JavaCell : s.CellCode)) return true;
  return IsOn(s.UseTmpl) && holds_tag(ReadUserFile(s.TmplAddy).text);
}
