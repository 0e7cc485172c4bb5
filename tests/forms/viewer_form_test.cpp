// The Express dialog's model and the opt-in choices of the pages: every link
// target, the viewer's among them, and the fitting pages go from the record to
// the controls and back unchanged.
#include <gtest/gtest.h>

#include "forms/settings_transfer.h"

namespace {

TEST(ViewerFormTest, LinkTargetAndFittingPagesSurviveTheDialog) {
  const struct {
    const char* target;
    const char* responsive;
    const char* checked;  // the one link target item checked
    const char* committed;
  } cases[] = {{"viewer", "1", "mnuOpenInViewer", "viewer"},
               {"viewer", "0", "mnuOpenInViewer", "viewer"},
               {"java", "1", "mnuOpenInJava", "java"},
               {"elsewhere", "1", "mnuOpenInSame", "same"}};
  for (const auto& c : cases) {
    ExpressSettings record, committed;
    record.ExpressLinkTarget = c.target;
    record.ExpressResponsive = c.responsive;
    Form form = NewExpressForm(record, {"Arial"});
    SetOptionsExp(&record, &form);
    std::string checked;
    for (const char* item : {"mnuOpenInSame", "mnuOpenInNew", "mnuOpenInJava", "mnuOpenInViewer"})
      if (form.at(item).checked) checked += item;
    EXPECT_EQ(checked, c.checked) << c.target;
    EXPECT_EQ(form.at("chkResponsive").checked, *c.responsive == '1') << c.target;
    CommittedFlags flags;
    EXPECT_FALSE(CommitExpress(form, &committed, &flags));
    EXPECT_EQ(committed.ExpressLinkTarget + committed.ExpressResponsive,
              std::string(c.committed) + c.responsive);
  }
}

}  // namespace
