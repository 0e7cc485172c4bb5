// The Express settings dialog through objectNames: the up-downs, the colour
// labels and the commit of OK.
#include "dialogs/frm_options2.h"

#include "dialogs/colour_label.h"
#include "dialogs/up_down.h"
#include "gui_answers.h"
#include "run/fonts.h"

namespace {

QLineEdit* Box(QWidget* window, const QString& name) { return Get<QLineEdit>(window, name); }

// What a control shows, in one line for comparisons.
QString Shown(const Control& c) {
  return QString("%1|%2|%3|%4").arg(c.text.c_str()).arg(c.checked).arg(c.index).arg(c.colour);
}

}  // namespace

class FrmOptions2Test : public QObject {
  Q_OBJECT

 private:
  // The dialog over `record_` as Settings opens it, active so the focus moves.
  frmOptions2* Open() {
    Form form = NewExpressForm(record_, FontFamilies());
    SetOptionsExp(&record_, &form);
    dialog_ = std::make_unique<frmOptions2>(form, &record_, &flags_, nullptr);
    dialog_->show();
    dialog_->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog_.get())) qFatal("the dialog does not get active");
    return dialog_.get();
  }

  ExpressSettings record_;
  CommittedFlags flags_;
  std::unique_ptr<frmOptions2> dialog_;

 private slots:
  void init() { record_ = ExpressSettings(), flags_ = CommittedFlags(); }
  void cleanup() { dialog_.reset(); }

  // The up-down follows the text, writes into it and takes no focus; a
  // refused box keeps the focus with its text selected.
  void numberBoxesAndTheirUpDowns() {
    Answers answers;
    frmOptions2* dialog = Open();
    QLineEdit* size = Box(dialog, "txtFontSize");
    QList<QToolButton*> arrows = Get<UpDown>(dialog, "UDFont")->findChildren<QToolButton*>();
    size->setFocus();
    size->setText("47");
    arrows[0]->click();
    arrows[0]->click();  // the top of the range
    QCOMPARE(size->text(), "48");
    size->setText("60");  // out of range: the up-down keeps 48
    arrows[1]->click();
    QVERIFY(size->text() == "47" && QApplication::focusWidget() == size);
    QVERIFY(answers.messages.isEmpty());
    size->setText("60");
    Box(dialog, "txtPageTitle")->setFocus();
    QVERIFY(answers.messages.size() == 1 && QApplication::focusWidget() == size);
    QTRY_COMPARE(size->selectedText(), "48");
  }

  // A chosen colour reaches the record as the same number, a high byte from
  // a file stays.
  void aChosenColourReachesTheRecordAsTheSameNumber() {
    Answers answers;
    answers.colours = {QColor(0x12, 0x34, 0x56), QColor()};
    record_.ExpressColorPageText = "4294967295";
    frmOptions2* dialog = Open();
    QTest::mouseClick(Get<ColourLabel>(dialog, "ColorPageBack"), Qt::LeftButton);
    QTest::mouseClick(Get<ColourLabel>(dialog, "ColorPageTitle"), Qt::LeftButton);  // cancelled
    QCOMPARE(answers.colour_starts, QList<QColor>({QColor(0, 0, 0), QColor(255, 255, 255)}));
    Click(dialog, "cmdOptOk");
    QCOMPARE(record_.ExpressColorPageBackground + "|" + record_.ExpressColorPageTitle + "|" +
                 record_.ExpressColorPageText,
             "5649426|16777215|4294967295");  // 0x00563412
  }

  // Window -> record -> window shows what the first showed (the .cfe keeps
  // the record: the settings' own test); a guessed title without a pattern
  // is refused, the dialog stays open, but commits.
  void theDialogSurvivesTheRoundTripThroughTheRecord() {
    Answers answers;
    answers.colours = {QColor(1, 2, 3), QColor(4, 5, 6)};
    frmOptions2* dialog = Open();
    Box(dialog, "txtPageTitle")->setText("Trip");
    Get<QAbstractButton>(dialog, "optOverwrite")->click();
    for (const char* box : {"txtRows", "txtCols", "txtFontSize", "txtImgBorder", "txtTableBorder"})
      Box(dialog, box)->setText("9");
    Box(dialog, "txtTableWidth")->setText("640");
    for (const char* check : {"chkCleanHouse", "chkDelHTML", "chkCenterAll", "chkBold", "chkItalic",
                              "chkShowName", "chkShowSize", "chkSepPage", "chkGuessName"})
      Get<QAbstractButton>(dialog, check)->toggle();
    Get<QComboBox>(dialog, "cboFonts")->setCurrentIndex(FontFamilies().size() - 1);
    Get<QComboBox>(dialog, "cboPixelPercent")->setCurrentIndex(0);
    Get<ColourLabel>(dialog, "ColorPageLinkVisited")->SetColor();
    Get<ColourLabel>(dialog, "ColorTableBorder")->SetColor();
    Trigger(dialog, "mnuMenuTop");
    Trigger(dialog, "mnuOpenInNew");
    Click(dialog, "cmdOptOk");
    QVERIFY(dialog->isVisible() && answers.messages.size() == 1 && flags_.ExpressCommitted);
    Get<QComboBox>(dialog, "cboPatternIndex")->setCurrentIndex(3);
    Form shown = dialog->Controls();
    Click(dialog, "cmdOptOk");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    Form again = Open()->Controls();
    for (const auto& [name, control] : shown)
      QVERIFY2(Shown(again.at(name)) == Shown(control), name.c_str());
  }
};

QTEST_MAIN(FrmOptions2Test)
#include "frm_options2_test.moc"
