#include "pages/page_menu.h"

#include <cmath>

#include "pages/page_names.h"
#include "pages/tags.h"
#include "settings/text.h"

namespace {

std::string EntryCode(const std::string& code, const std::string& file_name, int position) {
  return ReplaceAll(ReplaceAll(code, kPageFileNameTag, file_name), kPageNumberTag,
                    NumText(position));
}

// A BreakMenuNum below 1 means no breaking; the last entry never breaks.
bool BreaksAfter(int position, int pages, const AdvancedSettings& s) {
  double every = Val(s.BreakMenuNum);
  if (!IsOn(s.BreakMenu) || every < 1 || position == pages) return false;
  double quotient = position / every;
  return quotient == std::floor(quotient);
}

std::string EntryLine(const std::string& entry, int position, int pages,
                      const AdvancedSettings& s) {
  return entry + (BreaksAfter(position, pages, s) ? s.LineBreakCode : "") + "\r\n";
}

std::string CurrentEntryLine(const PageMenu& menu, int page, const AdvancedSettings& s) {
  std::string file_name = PositionFileName(menu.start_at, page, s);
  bool own_code = IsOn(s.UseLinkInact) && Val(s.InactAuto) == 0;
  std::string entry = EntryCode(own_code ? s.LinkInact : s.MenuCode, file_name, page);
  if (IsOn(s.InactAuto)) entry = InactivateEntry(entry);
  return EntryLine(entry, page, menu.pages, s);
}

// The file name of a neighbour is made only when its tag is used.
std::string ReplaceNeighbour(const std::string& code, const char* tag, const PageMenu& menu,
                             int64_t position, const AdvancedSettings& s) {
  if (code.find(tag) == std::string::npos) return code;
  return ReplaceAll(code, tag, PositionFileName(menu.start_at, position, s));
}

std::string LinkCode(const std::string& code, const PageMenu& menu, int page,
                     const AdvancedSettings& s) {
  std::string link = ReplaceNeighbour(code, kPreviousPageTag, menu, page - 1, s);
  return ReplaceNeighbour(link, kNextPageTag, menu, page + 1, s);
}

std::string MenuFrame(const std::string& code, int page, const std::string& previous,
                      const std::string& next) {
  std::string frame = ReplaceAll(code, kCurrentPageNumberTag, NumText(page));
  return ReplaceAll(ReplaceAll(frame, kPreviousLinkTag, previous), kNextLinkTag, next);
}

}  // namespace

PageMenu BuildPageMenu(int pages, int start_at, const AdvancedSettings& s) {
  PageMenu menu{pages, start_at, "", {0}};
  for (int position = 1; position <= pages; ++position) {
    int64_t number = PositionFileNumber(start_at, position);
    if (!FitsInt16(number)) break;
    std::string file_name = MakePageFileName(static_cast<int>(number), s);
    menu.lines += EntryLine(EntryCode(s.MenuCode, file_name, position), position, pages, s);
    menu.starts.push_back(menu.lines.size());
  }
  return menu;
}

std::string InactivateEntry(std::string_view entry) {
  size_t href = FindNoCase(entry, "HREF");
  if (entry.empty() || href == std::string_view::npos) return std::string(entry);
  std::string_view left = entry.substr(0, href);
  if (size_t tag = left.rfind('<'); tag != std::string_view::npos) left = left.substr(0, tag);
  size_t after = href + 4;  // the first character after HREF
  if (after < entry.size()) after += CharLeft(entry.substr(after), 1).size();
  std::string_view right = entry.substr(std::min(after, entry.size()));
  if (size_t end = right.find('>'); end != std::string_view::npos) right = right.substr(end + 1);
  std::string result = std::string(left) + std::string(right);
  for (const char* anchor :
       {"</a>", "< /a>", "</a >", "</ a>", "< / a>", "</ a >", "< / a >", "< /a >"})
    result = RemoveAllNoCase(result, anchor);
  return result;
}

void WritePageMenu(const PageMenu& menu, int page, const AdvancedSettings& s, PageText* out) {
  std::string previous = page > 1 ? LinkCode(s.Prev, menu, page, s) : "";
  std::string next = page < menu.pages ? LinkCode(s.Next, menu, page, s) : "";
  out->Line(MenuFrame(s.CodeBeforeMenu, page, previous, next));
  size_t made = menu.starts.size() - 1;
  size_t current = static_cast<size_t>(page - 1);
  if (page >= 1 && current < made) {
    out->text.append(menu.lines, 0, menu.starts[current]);
    out->text += CurrentEntryLine(menu, page, s);
    out->text.append(menu.lines, menu.starts[current + 1]);
  } else {
    out->text += menu.lines;
  }
  if (made < static_cast<size_t>(menu.pages))
    throw PageError("a page of the menu has a number beyond 16 bits");
  out->Line(MenuFrame(s.CodeAfterMenu, page, previous, next));
}

void WriteMenuPlace(MenuPlace place, const PageMenu& menu, int page, const AdvancedSettings& s,
                    PageText* out) {
  bool chosen = s.MenuBoth || (place == MenuPlace::kTop ? s.MenuTop : s.MenuBottom);
  if (!chosen) return;
  if (IsOn(s.GenMenu) && menu.pages != 1)
    WritePageMenu(menu, page, s, out);
  else
    out->Line("\r\n" + s.NoMenu + "\r\n");
}
