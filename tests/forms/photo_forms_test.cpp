#include <gtest/gtest.h>

#include "forms/settings_transfer.h"

// DateFormat, beside the fields the transfer's test compares, reaches the
// dialog and comes back.
TEST(PhotoFormsTest, TheDateFormatSurvivesTheDialog) {
  for (const char* value : {"", "%d.%m.%Y"}) {
    AdvancedSettings advanced, back;
    advanced.DateFormat = value;
    Form form = NewAdvancedForm();
    ASSERT_TRUE(SetOptions(advanced, &form, nullptr));
    CommittedFlags flags;
    EXPECT_FALSE(CommitAdvanced(&form, &back, &flags));
    EXPECT_EQ(back.DateFormat, value);
  }
}
