#include "pages/meta_block.h"

#include <gtest/gtest.h>

namespace {

TEST(MetaBlockTest, GeneratorTagAlwaysThenSwitchedOnTags) {
  AdvancedSettings s;
  s.MetaGen = "<G>";
  EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n");
  s.MetaKeywords = "<K>";
  s.MetaDescr = "<D>";
  s.MetaAuthor = "<A>";
  s.MetaCopy = "<C>";
  s.MetaDistr = "<I>";
  s.MetaExtra = "<X>";
  s.UseMetaKeywords = s.UseMetaDescr = s.UseMetaAuthor = "1";
  s.UseMetaCopy = s.UseMetaDistr = s.UseMetaExtra = "1";
  EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n<K>\r\n<D>\r\n<A>\r\n<C>\r\n<I>\r\n<X>\r\n");
  s.UseMetaDescr = s.UseMetaCopy = "0";
  EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n<K>\r\n<A>\r\n<I>\r\n<X>\r\n");
}

TEST(MetaBlockTest, RobotsTagByChoiceComparedAsText) {
  const struct {
    const char* bots;
    const char* value;  // "" for no robots tag
  } cases[] = {{"0", "all"},      {"1", "none"}, {"2", "index"}, {"3", "noindex"}, {"4", "follow"},
               {"5", "nofollow"}, {"6", ""},     {" 1", ""},     {"1.0", ""},      {"", ""}};
  for (const auto& c : cases) {
    AdvancedSettings s;
    s.MetaGen = "<G>";
    s.UseMetaBots = "1";
    s.Bots = c.bots;
    std::string robots =
        *c.value ? "<META Name=\"robots\" Content=\"" + std::string(c.value) + "\">\r\n" : "";
    EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n" + robots) << '"' << c.bots << '"';
    s.UseMetaBots = "0";
    EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n") << c.bots;
  }
}

TEST(MetaBlockTest, RevisitTagLast) {
  AdvancedSettings s;
  s.MetaGen = "<G>";
  s.UseMetaRevisit = "1";
  s.MetaRevisit = "14";
  s.UseMetaBots = "1";
  s.Bots = "5";
  EXPECT_EQ(BuildMetaBlock(s),
            "<G>\r\n<META Name=\"robots\" Content=\"nofollow\">\r\n"
            "<META Name=\"revisit-after\" Content=\"14 days\">\r\n");
}

}  // namespace
