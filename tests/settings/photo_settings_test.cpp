#include <gtest/gtest.h>

#include <tuple>

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
    EXPECT_EQ(s.DateFormat + AdvancedConfigText(s, thumbs), format + text);
  }
}

// The opt-in keys of a .cfe and SortBy in nd.ini. Each case: whether the old
// file has the key (at 1), the value set, the value written.
TEST(PhotoSettingsTest, OptInKeysAreWrittenWhenOnOrPresent) {
  const std::tuple<bool, std::string, const char*> cases[] = {
      {false, "0", "<no value>"}, {false, "1", "1"}, {true, "0", "0"}};
  for (const auto& [present, value, written] : cases) {
    ExpressSettings s, read;
    ThumbOptions thumbs;
    std::string err, all, plain = UpdateExpressConfig("", s, thumbs);
    for (const OptInKey& key : kExpressOptIns) s.*key.text = value, all += value;
    for (const OptInKey& key : kExpressOptIns) {
      std::string text =
          UpdateExpressConfig(present ? plain + key.name + "=1\r\n" : plain, s, thumbs);
      EXPECT_EQ(IniGet(ParseIni(text), "Express", key.name), written) << key.name << present;
      ASSERT_TRUE(ParseExpressConfig(text, &read, &thumbs, &err)) << err;
      std::string got;
      for (const OptInKey& k : kExpressOptIns) got += read.*k.text;
      EXPECT_EQ(got, all);
    }
    ProgramState state;
    state.SortByDate = value == "1";
    std::string text = UpdateProgramState(present ? "[General]\r\nSortBy=date\r\n" : "", state);
    EXPECT_EQ(IniGet(ParseIni(text), "General", "SortBy"),
              ReplaceAll(ReplaceAll(written, "1", "date"), "0", "name"));
    ParseProgramState(text, &state);
    EXPECT_EQ(state.SortByDate, value == "1");
  }
}

}  // namespace
