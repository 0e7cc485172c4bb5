#include "engine/picture_pages.h"

#include "engine/page_output.h"
#include "engine/titles.h"
#include "settings/text.h"

namespace {

// PrevThumbCode or NextThumbCode with its four tags ("[PREVIOUS IMAGE PATH]"
// and so on, by `word`) filled in for `neighbour`.
std::string NeighbourCode(const std::string& code, const std::string& word,
                          const PictureEntry& neighbour, const std::string& thumb_path) {
  std::string text = ReplaceAll(code, "[" + word + " IMAGE PATH]", "");
  text = ReplaceAll(text, "[" + word + " IMAGE FILE NAME]", HtmlEscape(neighbour.page_name));
  text = ReplaceAll(text, "[" + word + " THUMB PATH]", thumb_path);
  return ReplaceAll(text, "[" + word + " THUMB FILE NAME]", HtmlEscape(neighbour.thumb_name));
}

std::string OwnTags(const std::string& template_text, const PictureEntry& picture,
                    const AdvancedSettings& s) {
  std::string text =
      ReplaceAll(template_text, "[IMAGE FILE NAME]", HtmlEscape(Trim(picture.file_name)));
  if (text.find("[IMAGE TITLE]") != std::string::npos)  // a title is made only when shown
    text = ReplaceAll(text, "[IMAGE TITLE]", HtmlEscape(PictureTitle(picture.file_name, false, s)));
  return ReplaceAll(text, "[FILE SIZE]", Trim(picture.size_kb));
}

}  // namespace

PageTemplate LoadTemplate(const AdvancedSettings& s, RunReport* report) {
  PageTemplate page_template;
  if (IsOn(s.UseTmpl)) {
    UserFile file = ReadUserFile(s.TmplAddy);
    page_template = {file.found, std::move(file.text)};
  }
  if (!page_template.in_use) report->TemplateMissing = IsOn(s.UseTmpl);
  return page_template;
}

std::string PicturePageText(const std::string& template_text,
                            const std::vector<PictureEntry>& table, PicturePlace place,
                            const AdvancedSettings& s) {
  const size_t k = place.k;
  std::string thumb_path = ThumbPathTag(s);
  std::string previous, next;
  if (k > place.first)
    previous = NeighbourCode(s.PrevThumbCode, "PREVIOUS", table[k - 1], thumb_path);
  bool last_cell = static_cast<int64_t>(k - place.first) == place.per_page - 1;
  if (!last_cell && k + 1 < table.size())
    next = NeighbourCode(s.NextThumbCode, "NEXT", table[k + 1], thumb_path);
  std::string text = OwnTags(template_text, table[k], s);
  return ReplaceAll(ReplaceAll(text, "[NEXT THUMB]", next), "[PREV THUMB]", previous);
}

void WritePicturePage(const std::string& dir, const std::string& open_page,
                      const std::string& template_text, const std::vector<PictureEntry>& table,
                      PicturePlace place, const AdvancedSettings& s) {
  const std::string& name = table[place.k].page_name;
  if (name == open_page) return;
  try {
    PageText page;
    page.Line(PicturePageText(template_text, table, place, s));
    PageFile(dir + "/" + name).Replace(page.text);
  } catch (const std::exception&) {
    // A picture page that cannot be made is passed over.
  }
}
