// The settings of photo metadata in the files: each kept only when set or
// already there, so that files without them stay byte for byte as they were.
#include <gtest/gtest.h>

#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "settings/ini.h"
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

// Each case: whether the old file has the key (at 1), the value set, the value written.
TEST(PhotoSettingsTest, ExpressKeysAndSortByAreWrittenWhenOnOrPresent) {
  const struct {
    bool present;
    const char *value, *written;
  } cases[] = {{false, "0", "<no value>"}, {false, "1", "1"}, {true, "0", "0"}};
  for (const auto& c : cases) {
    ExpressSettings s, read;
    ThumbOptions thumbs;
    std::string err;
    for (std::string key : {"ExpressShowDate", "ExpressShowCaption"}) {
      s.ExpressShowDate = s.ExpressShowCaption = c.value;
      std::string old_text = "[Express]\r\n" + (c.present ? key + "=1\r\n" : "");
      std::string text = UpdateExpressConfig(old_text, s, thumbs);
      EXPECT_EQ(IniGet(ParseIni(text), "Express", key), c.written) << key << c.present;
      ASSERT_TRUE(ParseExpressConfig(text, &read, &thumbs, &err)) << err;
      EXPECT_EQ(read.ExpressShowDate + read.ExpressShowCaption, std::string(c.value) + c.value);
    }
    ProgramState state, state_read;
    state.SortByDate = c.value == std::string("1");
    std::string text = UpdateProgramState(c.present ? "[General]\r\nSortBy=date\r\n" : "", state);
    EXPECT_EQ(IniGet(ParseIni(text), "General", "SortBy"),
              ReplaceAll(ReplaceAll(c.written, "1", "date"), "0", "name"));
    ParseProgramState(text, &state_read);
    EXPECT_EQ(state_read.SortByDate, state.SortByDate);
  }
}

}  // namespace
