#include "pages/index_table.h"

#include "pages/html_text.h"
#include "pages/photo_tags.h"
#include "pages/tags.h"
#include "pages/titles.h"
#include "settings/text.h"

void OpenTable(const AdvancedSettings& s, PageText* out) {
  out->Line(IsOn(s.CenterTable) ? "<div align=\"center\">\r\n" + s.TableTag : s.TableTag);
}

std::string CellText(const PictureEntry& picture, bool template_in_use,
                     const std::string& thumb_path, const AdvancedSettings& s) {
  std::string cell = ReplaceAll(IsOn(s.UseJava) ? s.JavaCell : s.CellCode, kImagePathTag, "");
  std::string link = template_in_use ? PageLink(picture) : Trim(picture.file_name);
  cell = FillNameTag(cell, kImageFileNameTag, link);
  if (cell.find(kImageTitleTag) != std::string::npos)  // a title is made only when shown
    cell = FillNameTag(cell, kImageTitleTag, PictureTitle(picture.file_name, true, s));
  cell = ReplaceAll(cell, kThumbPathTag, thumb_path);
  cell = FillNameTag(cell, kThumbFileNameTag, picture.thumb_name);
  return FillFactTags(ReplaceAll(cell, kFileSizeTag, Trim(picture.size_kb)), picture.facts, s);
}

void CloseTable(const AdvancedSettings& s, PageText* out) {
  std::string code = Val(s.UseTableClose) != 0 ? s.TableClose : "</TABLE>";
  out->Line(IsOn(s.CenterTable) ? code + "\r\n</div>\r\n" : code);
}
