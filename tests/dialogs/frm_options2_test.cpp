// The Express settings dialog and its three small windows, driven through
// objectNames: the field checks, the up-downs, the colour labels, the fonts,
// the small windows' copies and the commit of OK.
#include "dialogs/frm_options2.h"

#include "dialogs/colour_label.h"
#include "dialogs/up_down.h"
#include "gui_answers.h"
#include "run/fonts.h"

namespace {

// frmOptions2 as the Settings command opens it for `record`.
Form FormFor(ExpressSettings* record) {
  Form form = NewExpressForm(*record, FontFamilies());
  SetOptionsExp(record, &form);
  return form;
}

QLineEdit* Box(QWidget* window, const QString& name) { return Get<QLineEdit>(window, name); }

// What a control shows, in one line for comparisons.
QString Shown(const Control& c) {
  return QString("%1|%2|%3|%4")
      .arg(QString::fromStdString(c.text))
      .arg(c.checked)
      .arg(c.index)
      .arg(c.colour);
}

}  // namespace

class FrmOptions2Test : public QObject {
  Q_OBJECT

 private:
  // The dialog over `record_`, shown and active so that the focus moves.
  frmOptions2* Open() {
    dialog_ = std::make_unique<frmOptions2>(FormFor(&record_), &record_, &flags_, nullptr);
    dialog_->show();
    dialog_->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog_.get())) qFatal("the dialog does not get active");
    return dialog_.get();
  }
  // Types `text` into the box `name` of the dialog after giving it the focus.
  void Type(const QString& name, const QString& text) {
    QLineEdit* box = Box(dialog_.get(), name);
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, text);
  }

  ExpressSettings record_;
  CommittedFlags flags_;
  std::unique_ptr<frmOptions2> dialog_;

 private slots:
  void init() {
    record_ = ExpressSettings();
    flags_ = CommittedFlags();
  }
  void cleanup() { dialog_.reset(); }

  void everyControlHasItsWidget() {
    frmOptions2* dialog = Open();
    for (const auto& [name, control] : NewExpressForm(record_, FontFamilies()))
      QVERIFY2(dialog->findChild<QObject*>(QString::fromStdString(name)), name.c_str());
  }

  // The number boxes are checked and take digits only (one loop watches them
  // all, so one refused and one passing box stand for all); which text passes
  // is the rules' own test.
  void aFieldIsCheckedWhenItLosesTheFocus() {
    const struct {
      const char *box, *typed, *message, *after;  // message "" when the text passes
    } cases[] = {{"txtFontSize", "60", "Hi. Please enter a value between 1 and 48", "48"},
                 {"txtCols", "x5y", "", "5"}};  // letters never get in
    for (const auto& c : cases) {
      Answers answers;
      frmOptions2* dialog = Open();
      Type(c.box, c.typed);
      Box(dialog, "txtPageTitle")->setFocus();
      QLineEdit* checked = Box(dialog, c.box);
      QCOMPARE(checked->text(), c.after);
      if (!*c.message) {
        QVERIFY(answers.messages.isEmpty());
        QCOMPARE(QApplication::focusWidget(), Box(dialog, "txtPageTitle"));
        continue;
      }
      QCOMPARE(answers.Said(), QStringList{QString("Error!|") + c.message});
      QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
      QCOMPARE(QApplication::focusWidget(), checked);
      QTRY_COMPARE(checked->selectedText(), c.after);  // the whole text, ready to be typed over
    }
  }

  void theUpDownFollowsTheTextAndWritesIntoIt() {
    Answers answers;
    frmOptions2* dialog = Open();
    auto* up_down = Get<UpDown>(dialog, "UDFont");
    QList<QToolButton*> arrows = up_down->findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    Type("txtFontSize", "47");
    arrows[0]->click();
    QCOMPARE(Box(dialog, "txtFontSize")->text(), "48");
    arrows[0]->click();  // the top of the range
    QCOMPARE(Box(dialog, "txtFontSize")->text(), "48");
    Box(dialog, "txtFontSize")->setText("60");  // out of range: the up-down keeps 48
    arrows[1]->click();
    QCOMPARE(Box(dialog, "txtFontSize")->text(), "47");
    QCOMPARE(QApplication::focusWidget(), Box(dialog, "txtFontSize"));  // arrows take no focus
    QVERIFY(answers.messages.isEmpty());
  }

  void theSmallWindowsEditCopiesOfTheHolders() {
    Answers answers;
    answers.colours = {QColor(0x11, 0x22, 0x33)};
    frmOptions2* dialog = Open();
    bool cancel = true;
    ModalAnswerer answerer([&](QWidget* window) {
      if (window->objectName() == "frmTblOpt") {
        QCOMPARE(Get<UpDown>(window, "UDPadding")->value(), 7);
        Box(window, "txtPadding")->setText("12");
        Box(window, "txtSpacing")->setText("3");
        Get<QCheckBox>(window, "chkEnableTblOpt")->setChecked(true);
        Get<ColourLabel>(window, "ColorTableCell")->SetColor();
      } else if (window->objectName() == "frmRights") {
        Get<QCheckBox>(window, "chkUseRights")->setChecked(true);
        Box(window, "txtRights")->setText("(c) Me");
      } else {
        Get<QCheckBox>(window, "chkShowNP")->setChecked(false);
      }
      Click(window, cancel ? "cmdOptCancel" : "cmdOptOk");
    });
    auto holders = [&] {
      Form form = dialog->Controls();
      QStringList shown;
      for (const char* name : {"txtPadding", "txtSpacing", "chkEnableTblOpt", "ColorTableCell",
                               "chkUseRights", "txtRights", "chkShowNP"})
        shown << Shown(form.at(name));
      return shown.join(" ");
    };
    QString before = holders();
    for (bool ok : {false, true}) {
      cancel = !ok;
      answers.colours = {QColor(0x11, 0x22, 0x33)};
      Click(dialog, "cmdTblMore");
      Trigger(dialog, "mnuCopyright");
      Click(dialog, "cmdSepOpt");
      if (!ok) QCOMPARE(holders(), before);
    }
    QCOMPARE(holders(), "12|0|-1|0 3|0|-1|0 |1|-1|0 |0|-1|3351057 |1|-1|0 (c) Me|0|-1|0 |0|-1|0");
    QCOMPARE(answers.colour_starts.last(), QColor(0, 0, 0));  // the cell colour it had
  }

  void aGuessedTitleWithoutPatternIsRefusedAndOkCommitsOnceChosen() {
    Answers answers;
    frmOptions2* dialog = Open();
    Get<QCheckBox>(dialog, "chkGuessName")->setChecked(true);
    Box(dialog, "txtPageTitle")->setText("  Holiday  ");
    Click(dialog, "cmdOptOk");
    QCOMPARE(
        answers.Said(),
        QStringList{
            "Error!|You activated Guess Image Title\nbut did not select file naming pattern."});
    QVERIFY(dialog->isVisible());
    QVERIFY(flags_.ExpressCommitted);  // every press of OK
    QCOMPARE(record_.ExpressPageTitle, "Gallery");

    Get<QComboBox>(dialog, "cboPatternIndex")->setCurrentIndex(2);
    Click(dialog, "cmdOptOk");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(record_.ExpressPageTitle, "Holiday");
    QCOMPARE(record_.ExpressGuessName + record_.ExpressNamePattern, "12");
  }

  void aChosenColourReachesTheRecordAsTheSameNumber() {
    Answers answers;
    answers.colours = {QColor(0x12, 0x34, 0x56), QColor()};
    record_.ExpressColorPageText = "4294967295";  // a high byte from a file stays
    frmOptions2* dialog = Open();
    auto* background = Get<ColourLabel>(dialog, "ColorPageBack");
    QTest::mouseClick(background, Qt::LeftButton);
    QTest::mouseClick(Get<ColourLabel>(dialog, "ColorPageTitle"), Qt::LeftButton);  // cancelled
    QCOMPARE(answers.colour_starts, QList<QColor>({QColor(0, 0, 0), QColor(255, 255, 255)}));
    QCOMPARE(background->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    Click(dialog, "cmdOptOk");
    QCOMPARE(record_.ExpressColorPageBackground, "5649426");  // 0x00563412
    QCOMPARE(record_.ExpressColorPageTitle, "16777215");
    QCOMPARE(record_.ExpressColorPageText, "4294967295");
  }

  // Which font a record names, and that a name the desktop lacks is kept, is
  // the transfer's own test; the window shows the font found.
  void theFontIsFoundByName() {
    std::vector<std::string> families = FontFamilies();
    if (families.size() < 2) QSKIP("the test needs two font families");
    record_.ExpressFontName = families[1];
    frmOptions2* dialog = Open();
    auto* fonts = Get<QComboBox>(dialog, "cboFonts");
    QCOMPARE(fonts->currentIndex(), 1);
    QCOMPARE(Get<QLabel>(dialog, "lblPrimary")->font().family(), fonts->currentText());
  }

  // Window -> record -> window shows what the first showed (the .cfe keeps
  // the record: the settings' own test).
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
    Get<QComboBox>(dialog, "cboPatternIndex")->setCurrentIndex(3);
    Get<ColourLabel>(dialog, "ColorPageLinkVisited")->SetColor();
    Get<ColourLabel>(dialog, "ColorTableBorder")->SetColor();
    Trigger(dialog, "mnuMenuTop");
    Trigger(dialog, "mnuOpenInNew");
    Form shown = dialog->Controls();
    Click(dialog, "cmdOptOk");
    QVERIFY(answers.messages.isEmpty());
    Form again = Open()->Controls();
    for (const auto& [name, control] : shown)
      QVERIFY2(Shown(again.at(name)) == Shown(control), name.c_str());
  }
};

QTEST_MAIN(FrmOptions2Test)
#include "frm_options2_test.moc"
