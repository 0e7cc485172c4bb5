#include "pages/express_gallery.h"

#include <algorithm>

#include "pages/html_text.h"
#include "pages/page_names.h"
#include "pages/photo_tags.h"
#include "pages/titles.h"
#include "settings/file_io.h"
#include "settings/text.h"

namespace {

// Rows or columns: the number rounded, kept from 1 to `most`. A value below 1
// (a damaged settings file) counts as 1; more than the entries change nothing.
int64_t TableSize(const std::string& text, size_t most) {
  return std::clamp<int64_t>(RoundHalfEven(Val(text)), 1, std::max<int64_t>(1, most));
}

int PatternIndex(const std::string& text) {
  int64_t index = RoundHalfEven(Val(text) - 1);
  return index >= 0 && index <= 2 ? static_cast<int>(index) : -1;
}

void SetFont(const ExpressSettings& s, Look* look) {
  bool bold = IsOn(s.ExpressFontBold);
  bool italic = IsOn(s.ExpressFontItalic);
  look->font_open = "<FONT face=\"" + s.ExpressFontName + "\" size=" + s.ExpressFontSize + ">";
  if (bold) look->font_open += "<B>";
  if (italic) look->font_open += "<I>";
  if (italic) look->font_close += "</I>";
  if (bold) look->font_close += "</B>";
  look->font_close += "</FONT>";
}

void SetTableOptions(const ExpressSettings& s, Look* look) {
  if (IsZero(s.ExpressEnableTableOpt)) {
    look->table_pad = " cellpadding=0 cellspacing=0";
    return;
  }
  look->table_pad =
      " cellpadding=" + Trim(s.ExpressTablePadding) + " cellspacing=" + Trim(s.ExpressTableSpacing);
  look->cell_colour = " bgcolor=" + HtmlColour(s.ExpressColorTableCell);
}

Entry MakeEntry(const PictureFile& picture) {
  std::string base = BaseName(picture.name);
  Entry entry;
  entry.name = picture.name;
  entry.name_text = HtmlText(picture.name);
  entry.name_url = HtmlUrl(picture.name);
  entry.page_file = base + ".html";
  entry.page_link = IsLandingPage(entry.page_file) ? picture.name : entry.page_file;
  entry.page_url = HtmlUrl(entry.page_link);
  entry.thumb_url = HtmlUrl(base + kExpressAffix + ".jpg");
  entry.kilobytes = NumText(static_cast<int64_t>(picture.size / 1024));
  entry.date_text = FormatDateTaken(picture.facts.date_taken, kDefaultDateFormat);
  entry.caption_text = picture.facts.caption;
  return entry;
}

}  // namespace

bool IsZero(const std::string& flag) { return Val(flag) == 0; }

Look MakeLook(const ExpressSettings& s, size_t entry_count) {
  Look look{s};
  look.rows = TableSize(s.ExpressRows, entry_count);
  look.cols = TableSize(s.ExpressCols, entry_count);
  look.pattern = PatternIndex(s.ExpressNamePattern);
  look.width = s.ExpressTableWidth + (IsZero(s.ExpressPixelPercent) ? "" : "%");
  SetFont(s, &look);
  SetTableOptions(s, &look);
  look.body = "<BODY bgcolor=" + HtmlColour(s.ExpressColorPageBackground) +
              " text=" + HtmlColour(s.ExpressColorPageText) +
              " link=" + HtmlColour(s.ExpressColorPageLink) +
              " vlink=" + HtmlColour(s.ExpressColorPageVlink) +
              " alink=" + HtmlColour(s.ExpressColorPageAlink) + ">";
  look.title_font = "<font face=\"" + s.ExpressFontName +
                    "\" color=" + HtmlColour(s.ExpressColorPageTitle) + " size=5>";
  return look;
}

// Thumbnails lying among the pictures get no entry of their own.
std::vector<Entry> MakeEntries(const std::vector<PictureFile>& pictures) {
  std::vector<Entry> entries;
  entries.reserve(pictures.size());
  for (const PictureFile& picture : pictures)
    if (picture.name.find(kExpressAffix) == std::string::npos)
      entries.push_back(MakeEntry(picture));
  return entries;
}

void FindDoubles(const std::string& dir, std::vector<Entry>* entries) {
  for (Entry& entry : *entries) {
    std::string name = BaseName(entry.name) + kExpressAffix + kDoubleMark + ".jpg";
    if (IsRegularFile(dir + "/" + kExpressThumbFolder + "/" + name))
      entry.double_url = SrcsetUrl(name);
  }
}

void FindThumbSizes(const std::string& dir, std::vector<Entry>* entries) {
  for (Entry& entry : *entries)
    entry.thumb_size = JpegSize(dir + "/" + kExpressThumbFolder + "/" + BaseName(entry.name) +
                                kExpressAffix + ".jpg");
}

std::string FactLines(const Look& look, const Entry& entry) {
  std::string lines;
  if (IsOn(look.s.ExpressShowDate) && !entry.date_text.empty())
    lines += "<br>" + HtmlText(entry.date_text);
  if (IsOn(look.s.ExpressShowCaption) && !entry.caption_text.empty())
    lines += "<br>" + HtmlText(entry.caption_text);
  return lines;
}

bool ShowsName(const Look& look) { return IsOn(look.s.ExpressShowName); }

bool GuessesName(const Look& look) { return ShowsName(look) && IsOn(look.s.ExpressGuessName); }

std::string GuessedTitle(const Look& look, const std::string& name) {
  return HtmlText(GuessTitle(name, look.pattern));
}

std::string HiDpiAttributes(const Look& look, const Entry& entry) {
  if (!IsOn(look.s.ExpressHiDpi)) return "";
  if (entry.double_url.empty()) return " loading=\"lazy\"";
  return " srcset=\"" + std::string(kExpressThumbFolder) + "/" + entry.double_url +
         " 2x\" loading=\"lazy\"";
}

std::string SizeAttributes(const Look& look, const Entry& entry) {
  if (!IsOn(look.s.ExpressResponsive) || entry.thumb_size.width == 0) return "";
  return " width=" + std::to_string(entry.thumb_size.width) +
         " height=" + std::to_string(entry.thumb_size.height);
}

void WriteRights(std::string* out, const Look& look) {
  Write(out, "<br><br><TABLE width=", look.width,
        " cellpadding=0 cellspacing=0 border=0><TR><TD align=center>");
  Write(out, look.font_open, look.s.ExpressRights, look.font_close);
  Write(out, "</TD></TR></TABLE>");
}
