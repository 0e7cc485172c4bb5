// The Express settings dialog and its three small windows, driven through
// objectNames: the field checks, the up-downs, the colour labels, the small
// windows' copies and the commit of OK. The refusals' words are the forms
// layer's tests.
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

  // The number boxes take digits only and are checked when left (one loop
  // watches them all); a refused one keeps the focus with its text selected.
  // The up-down follows the text, writes into it and takes no focus.
  void numberBoxesAndTheirUpDowns() {
    Answers answers;
    frmOptions2* dialog = Open();
    Type("txtCols", "x5y");
    QCOMPARE(Box(dialog, "txtCols")->text(), "5");
    QList<QToolButton*> arrows = Get<UpDown>(dialog, "UDFont")->findChildren<QToolButton*>();
    QCOMPARE(arrows.size(), 2);
    Type("txtFontSize", "47");
    arrows[0]->click();
    arrows[0]->click();  // the top of the range
    QCOMPARE(Box(dialog, "txtFontSize")->text(), "48");
    Box(dialog, "txtFontSize")->setText("60");  // out of range: the up-down keeps 48
    arrows[1]->click();
    QCOMPARE(Box(dialog, "txtFontSize")->text(), "47");
    QCOMPARE(QApplication::focusWidget(), Box(dialog, "txtFontSize"));
    QVERIFY(answers.messages.isEmpty());
    Box(dialog, "txtFontSize")->setText("60");
    Box(dialog, "txtPageTitle")->setFocus();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(QApplication::focusWidget(), Box(dialog, "txtFontSize"));
    QTRY_COMPARE(Box(dialog, "txtFontSize")->selectedText(), "48");
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

  // A refused OK leaves the dialog open, but commits (the record it writes
  // is the transfer's test).
  void aGuessedTitleWithoutPatternIsRefused() {
    Answers answers;
    frmOptions2* dialog = Open();
    Get<QCheckBox>(dialog, "chkGuessName")->setChecked(true);
    Click(dialog, "cmdOptOk");
    QVERIFY(dialog->isVisible() && answers.messages.size() == 1 && flags_.ExpressCommitted);
    Get<QComboBox>(dialog, "cboPatternIndex")->setCurrentIndex(2);
    Click(dialog, "cmdOptOk");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
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
