#include "pages/picture_pages.h"

#include "pages/html_text.h"
#include "pages/page_names.h"
#include "pages/page_output.h"
#include "pages/photo_tags.h"
#include "pages/tags.h"
#include "pages/titles.h"
#include "settings/text.h"

namespace {

// PrevThumbCode or NextThumbCode with its four `tags` filled in for `neighbour`.
std::string NeighbourCode(const std::string& code, const NeighbourTags& tags,
                          const PictureEntry& neighbour, const std::string& thumb_path) {
  std::string text = ReplaceAll(code, tags.image_path, "");
  text = FillNameTag(text, tags.image_file_name, PageLink(neighbour));
  text = ReplaceAll(text, tags.thumb_path, thumb_path);
  return FillNameTag(text, tags.thumb_file_name, neighbour.thumb_name);
}

std::string OwnTags(const std::string& template_text, const PictureEntry& picture,
                    const AdvancedSettings& s) {
  std::string text = FillNameTag(template_text, kImageFileNameTag, Trim(picture.file_name));
  if (text.find(kImageTitleTag) != std::string::npos)  // a title is made only when shown
    text = FillNameTag(text, kImageTitleTag, PictureTitle(picture.file_name, false, s));
  return FillFactTags(ReplaceAll(text, kFileSizeTag, Trim(picture.size_kb)), picture.facts, s);
}

}  // namespace

PageTemplate LoadTemplate(const AdvancedSettings& s, RunReport* report, PageWarnings* warnings) {
  PageTemplate page_template;
  UserFile file;
  if (IsOn(s.UseTmpl)) file = ReadUserFile(s.TmplAddy);
  if (!file.problem.empty()) warnings->push_back(file.problem);
  page_template = {file.found && file.problem.empty(), std::move(file.text)};
  if (!file.found) report->TemplateMissing = IsOn(s.UseTmpl);
  return page_template;
}

std::string PicturePageText(const std::string& template_text,
                            const std::vector<PictureEntry>& table, PicturePlace place,
                            const AdvancedSettings& s) {
  const size_t k = place.k;
  std::string thumb_path = ThumbPathTag(s);
  std::string previous, next;
  if (k > place.first)
    previous = NeighbourCode(s.PrevThumbCode, kPreviousTags, table[k - 1], thumb_path);
  bool last_cell = static_cast<int64_t>(k - place.first) == place.per_page - 1;
  if (!last_cell && k + 1 < table.size())
    next = NeighbourCode(s.NextThumbCode, kNextTags, table[k + 1], thumb_path);
  std::string text = OwnTags(template_text, table[k], s);
  return ReplaceAll(ReplaceAll(text, kNextThumbTag, next), kPrevThumbTag, previous);
}

void WritePicturePage(const PicturePageSet& set, PicturePlace place, const AdvancedSettings& s) {
  const PictureEntry& picture = set.table[place.k];
  std::string clash = PicturePageClash(set.dir, picture.file_name, picture.page_name,
                                       set.index_pages.count(picture.page_name));
  if (!clash.empty()) {
    set.warnings->push_back(clash);
    return;
  }
  std::string error;
  try {
    PageText page;
    page.Start();
    page.Line(PicturePageText(set.template_text, set.table, place, s));
    if (WritePage(set.dir + "/" + picture.page_name, page.text, &error)) return;
  } catch (const PageError& e) {
    error = set.dir + "/" + picture.page_name + ": " + e.what();
  }
  set.warnings->push_back(error);
}
