#include <gtest/gtest.h>

#include "forms/settings_transfer.h"

namespace {

// DateFormat and the two Express check boxes reach the dialogs and come back.
TEST(PhotoFormsTest, TheMetadataSettingsSurviveTheDialogs) {
  for (const char* value : {"", "%d.%m.%Y"}) {
    AdvancedSettings advanced, advanced_back;
    advanced.DateFormat = value;
    Form form = NewAdvancedForm();
    std::string err;
    ASSERT_TRUE(SetOptions(advanced, &form, &err)) << err;
    CommittedFlags flags;
    EXPECT_FALSE(CommitAdvanced(&form, &advanced_back, &flags));
    EXPECT_EQ(advanced_back.DateFormat, value);
    ExpressSettings express, express_back;
    express.ExpressShowDate = *value ? "1" : "0";
    express.ExpressShowCaption = *value ? "0" : "1";
    form = NewExpressForm({}, {"Arial"});
    SetOptionsExp(&express, &form);
    EXPECT_FALSE(CommitExpress(form, &express_back, &flags));
    EXPECT_EQ(express_back.ExpressShowDate + express_back.ExpressShowCaption,
              express.ExpressShowDate + express.ExpressShowCaption);
  }
}

}  // namespace
