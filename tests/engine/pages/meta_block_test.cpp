#include "pages/meta_block.h"

#include <gtest/gtest.h>

#include "settings/record_fields.h"

namespace {

TEST(MetaBlockTest, GeneratorTagAlwaysThenSwitchedOnTagsRobotsAndRevisit) {
  AdvancedSettings s;
  Assign(kAdvancedFields,
         "MetaGen=<G>\nMetaKeywords=<K>\nMetaDescr=<D>\nMetaAuthor=<A>\nMetaCopy=<C>\n"
         "MetaDistr=<I>\nMetaExtra=<X>\nMetaRevisit=14\nBots=5",
         &s);
  EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n");
  Assign(kAdvancedFields,
         "UseMetaKeywords=1\nUseMetaDescr=1\nUseMetaAuthor=1\nUseMetaCopy=1\nUseMetaDistr=1\n"
         "UseMetaExtra=1",
         &s);
  EXPECT_EQ(BuildMetaBlock(s), "<G>\r\n<K>\r\n<D>\r\n<A>\r\n<C>\r\n<I>\r\n<X>\r\n");
  Assign(kAdvancedFields, "UseMetaDescr=0\nUseMetaCopy=0\nUseMetaBots=1\nUseMetaRevisit=1", &s);
  EXPECT_EQ(BuildMetaBlock(s),
            "<G>\r\n<K>\r\n<A>\r\n<I>\r\n<X>\r\n<META Name=\"robots\" Content=\"nofollow\">\r\n"
            "<META Name=\"revisit-after\" Content=\"14 days\">\r\n");
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

}  // namespace
