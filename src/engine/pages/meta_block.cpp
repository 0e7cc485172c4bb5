#include "pages/meta_block.h"

#include <utility>

#include "settings/text.h"

namespace {

std::string MetaTag(const std::string& name, const std::string& content) {
  return "<META Name=\"" + name + "\" Content=\"" + content + "\">\r\n";
}

std::string RobotsValue(const std::string& bots) {
  const char* const kValues[] = {"all", "none", "index", "noindex", "follow", "nofollow"};
  for (int i = 0; i < 6; ++i)
    if (bots == NumText(i)) return kValues[i];
  return "";
}

}  // namespace

std::string BuildMetaBlock(const AdvancedSettings& s) {
  std::string block = s.MetaGen + "\r\n";
  const std::pair<const std::string*, const std::string*> tags[] = {
      {&s.UseMetaKeywords, &s.MetaKeywords}, {&s.UseMetaDescr, &s.MetaDescr},
      {&s.UseMetaAuthor, &s.MetaAuthor},     {&s.UseMetaCopy, &s.MetaCopy},
      {&s.UseMetaDistr, &s.MetaDistr},       {&s.UseMetaExtra, &s.MetaExtra}};
  for (const auto& [use, tag] : tags)
    if (IsOn(*use)) block += *tag + "\r\n";
  std::string robots = RobotsValue(s.Bots);
  if (IsOn(s.UseMetaBots) && !robots.empty()) block += MetaTag("robots", robots);
  if (IsOn(s.UseMetaRevisit)) block += MetaTag("revisit-after", s.MetaRevisit + " days");
  return block;
}
