// The settings of photo metadata in the files: each kept only when set or
// already there, so that files without them stay byte for byte as they were.
#include <gtest/gtest.h>

#include <tuple>

#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "settings/program_state.h"
#include "settings/text.h"
#include "temp_folder.h"

namespace {

TEST(PhotoSettingsTest, DateFormatIsTheCfgLineAfterTheOthersWhenSet) {
  const std::string old_file = ReadFile(KESTO_TEST_DATA "/settings/distinct.cfg");
  for (const std::string format : {"", "%d.%m.%Y", "%Y-%m-%d %H:%M"}) {
    std::string text = format.empty() ? old_file : old_file + format + "\r\n";
    AdvancedSettings s;
    ThumbOptions thumbs;
    ParseAdvancedConfig(text, &s, &thumbs);
    EXPECT_EQ(s.DateFormat, format);
    EXPECT_EQ(AdvancedConfigText(s, thumbs), text) << format;
  }
}

TEST(PhotoSettingsTest, ExpressKeysAndSortByAreWrittenWhenOnOrPresent) {
  const struct {
    const char *old_text, *on, *updated;
  } cases[] = {
      {"[Express]\r\n", "0", "[Express]\r\n"},
      {"[Express]\r\n", "1", "[Express]\r\nExpressShowDate=1\r\nExpressShowCaption=1\r\n"},
      {"[Express]\r\nExpressShowCaption=1\r\n", "0", "[Express]\r\nExpressShowCaption=0\r\n"},
  };
  for (const auto& c : cases) {
    ExpressSettings s;
    s.ExpressShowDate = s.ExpressShowCaption = c.on;
    std::string text = UpdateExpressConfig(c.old_text, s, ThumbOptions());
    std::string keys;
    for (const char* key : {"ExpressShowDate", "ExpressShowCaption"})
      if (size_t at = text.find(key); at != text.npos)
        keys += text.substr(at, text.find('\n', at) - at + 1);
    EXPECT_EQ("[Express]\r\n" + keys, c.updated) << c.old_text << c.on;
    ExpressSettings read;
    ThumbOptions thumbs;
    std::string err;
    ASSERT_TRUE(ParseExpressConfig(text, &read, &thumbs, &err)) << err;
    EXPECT_EQ(read.ExpressShowDate + read.ExpressShowCaption, std::string(c.on) + c.on);
  }
  for (const auto& [old_text, by_date, sort_by] :
       {std::tuple{"", false, ""},
        {"", true, "date"},
        {"[General]\r\nSortBy=date\r\n", false, "name"}}) {
    ProgramState state;
    state.SortByDate = by_date;
    std::string text = UpdateProgramState(old_text, state);
    size_t at = text.find("SortBy=");
    EXPECT_EQ(at == text.npos ? "" : text.substr(at + 7, text.find('\r', at) - at - 7), sort_by);
    ProgramState read;
    ParseProgramState(text, &read);
    EXPECT_EQ(read.SortByDate, by_date);
  }
}

}  // namespace
