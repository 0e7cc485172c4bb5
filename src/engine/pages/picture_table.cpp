#include "pages/picture_table.h"

#include "pages/page_names.h"
#include "settings/text.h"

namespace {

bool IsPicture(const std::string& name, const AdvancedSettings& settings) {
  return Trim(settings.ThumbExt).empty() || name.find(settings.ThumbExt) == std::string::npos;
}

std::string ThumbName(const std::string& base, const AdvancedSettings& settings) {
  return settings.Before ? settings.ThumbExt + base + ".jpg" : base + settings.ThumbExt + ".jpg";
}

}  // namespace

std::vector<PictureEntry> BuildPictureTable(const std::vector<PictureFile>& files,
                                            const AdvancedSettings& settings) {
  std::vector<PictureEntry> table;
  table.reserve(files.size());
  for (const PictureFile& file : files) {
    if (!IsPicture(file.name, settings)) continue;
    std::string base = BaseName(file.name);
    table.push_back({file.name, base + ".html", ThumbName(base, settings),
                     NumText(static_cast<int64_t>(file.size / 1024)), file.facts});
  }
  return table;
}

std::string PageLink(const PictureEntry& entry) {
  return IsLandingPage(entry.page_name) ? Trim(entry.file_name) : entry.page_name;
}

std::string ThumbPathTag(const AdvancedSettings& settings) {
  if (!IsOn(settings.StoreInSub) || settings.SubFolderName.empty()) return "";
  return Trim(settings.SubFolderName + "/");
}
