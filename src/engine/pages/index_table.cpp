#include "pages/index_table.h"

#include "pages/html_text.h"
#include "pages/titles.h"
#include "settings/text.h"

void OpenTable(const AdvancedSettings& s, PageText* out) {
  out->Line(IsOn(s.CenterTable) ? "<div align=\"center\">\r\n" + s.TableTag : s.TableTag);
}

std::string CellText(const PictureEntry& picture, bool template_in_use,
                     const std::string& thumb_path, const AdvancedSettings& s) {
  std::string cell = ReplaceAll(IsOn(s.UseJava) ? s.JavaCell : s.CellCode, "[IMAGE PATH]", "");
  std::string link = template_in_use ? PageLink(picture) : Trim(picture.file_name);
  cell = FillNameTag(cell, "[IMAGE FILE NAME]", link);
  if (cell.find("[IMAGE TITLE]") != std::string::npos)  // a title is made only when shown
    cell = FillNameTag(cell, "[IMAGE TITLE]", PictureTitle(picture.file_name, true, s));
  cell = ReplaceAll(cell, "[THUMB PATH]", thumb_path);
  cell = FillNameTag(cell, "[THUMB FILE NAME]", picture.thumb_name);
  return ReplaceAll(cell, "[FILE SIZE]", Trim(picture.size_kb));
}

void CloseTable(const AdvancedSettings& s, PageText* out) {
  std::string code = Val(s.UseTableClose) != 0 ? s.TableClose : "</TABLE>";
  out->Line(IsOn(s.CenterTable) ? code + "\r\n</div>\r\n" : code);
}
