// The Express settings dialog and its three small windows, driven through
// objectNames: the field checks, the up-downs, the colour labels, the fonts,
// the small windows' copies and the commit of OK.
#include "dialogs/frm_options2.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "dialogs/colour_label.h"
#include "dialogs/font_list.h"
#include "dialogs/up_down.h"
#include "gui_answers.h"
#include "settings/express_config.h"
#include "temp_folder.h"

namespace {

std::vector<std::string> Families() {
  std::vector<std::string> families;
  for (const QString& family : SortedFontFamilies()) families.push_back(family.toStdString());
  return families;
}

// frmOptions2 as the Settings command opens it for `record`.
Form FormFor(ExpressSettings* record) {
  Form form = NewExpressForm(*record, Families());
  SetOptionsExp(record, &form);
  return form;
}

template <typename T>
T* Get(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(name);
  if (!child) qFatal("no control %s in %s", name, qPrintable(window->objectName()));
  return child;
}

QLineEdit* Box(QWidget* window, const char* name) { return Get<QLineEdit>(window, name); }
void Click(QWidget* window, const char* name) { Get<QPushButton>(window, name)->click(); }

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
  void Type(const char* name, const QString& text) {
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

  void everyControlHasItsWidgetAndItsFirstValue() {
    frmOptions2* dialog = Open();
    for (const auto& [name, control] : NewExpressForm(record_, Families()))
      QVERIFY2(dialog->findChild<QObject*>(QString::fromStdString(name)), name.c_str());
    QCOMPARE(dialog->windowTitle(), "Settings");
    QCOMPARE(Get<QComboBox>(dialog, "cboPixelPercent")->currentText(), "%");
    QCOMPARE(Get<QComboBox>(dialog, "cboPatternIndex")->currentText(), "Select Pattern");
    QCOMPARE(Box(dialog, "txtRights")->text(), "Copyright ©");
    QVERIFY(Get<QAction>(dialog, "mnuMenuBottom")->isChecked());
    QVERIFY(Get<QAction>(dialog, "mnuOpenInSame")->isChecked());
    QCOMPARE(Get<UpDown>(dialog, "UDTableWidth")->value(), 100);
    QCOMPARE(Box(dialog, "txtTableWidth")->maxLength(), 4);
    QCOMPARE(Box(dialog, "txtPageTitle")->maxLength(), 50);
    QCOMPARE(Get<QComboBox>(dialog, "cboFonts")->currentIndex(), 0);
  }

  void aFieldIsCheckedWhenItLosesTheFocus_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // "" when the text passes
    QTest::addColumn<QString>("after");
    const QString kEmptyOrZero = "This field can not be empty or zero!";
    QTest::newRow("font size 60") << "txtFontSize"
                                  << "60"
                                  << "Hi. Please enter a value between 1 and 48"
                                  << "48";
    QTest::newRow("font size 0") << "txtFontSize"
                                 << "0" << kEmptyOrZero << "0";
    QTest::newRow("font size 48") << "txtFontSize"
                                  << "48"
                                  << ""
                                  << "48";
    QTest::newRow("border 0") << "txtImgBorder"
                              << "0"
                              << ""
                              << "0";
    QTest::newRow("border empty") << "txtImgBorder"
                                  << ""
                                  << "This field can not be empty!"
                                  << "";
    QTest::newRow("table border empty") << "txtTableBorder"
                                        << ""
                                        << "This field can not be empty!"
                                        << "";
    QTest::newRow("width 0") << "txtTableWidth"
                             << "0" << kEmptyOrZero << "0";
    QTest::newRow("width 9999") << "txtTableWidth"
                                << "9999"
                                << ""
                                << "9999";
    QTest::newRow("rows empty") << "txtRows"
                                << "" << kEmptyOrZero << "";
    QTest::newRow("columns 00") << "txtCols"
                                << "00" << kEmptyOrZero << "00";
    QTest::newRow("letters never get in") << "txtCols"
                                          << "x5y"
                                          << ""
                                          << "5";
  }
  void aFieldIsCheckedWhenItLosesTheFocus() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, after);
    Answers answers;
    frmOptions2* dialog = Open();
    Type(box.toLatin1(), typed);
    Box(dialog, "txtPageTitle")->setFocus();
    QLineEdit* checked = Box(dialog, box.toLatin1());
    QCOMPARE(checked->text(), after);
    if (message.isEmpty()) {
      QVERIFY(answers.messages.isEmpty());
      QCOMPARE(QApplication::focusWidget(), Box(dialog, "txtPageTitle"));
      return;
    }
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text, message);
    QCOMPARE(answers.messages[0].title, "Error!");
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(QApplication::focusWidget(), checked);
    QTRY_COMPARE(checked->selectedText(), after);  // the whole text, ready to be typed over
  }

  void twoRefusedFieldsDoNotBounceTheFocusForEver() {
    Answers answers;
    frmOptions2* dialog = Open();
    Type("txtCols", "");
    Type("txtRows", "");  // leaving txtCols refuses it and takes the focus back
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(QApplication::focusWidget(), Box(dialog, "txtCols"));
    Get<QPushButton>(dialog, "cmdOptCancel")->setFocus();  // Cancel discards: no check
    QCOMPARE(answers.messages.size(), 1);
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
    QString title;
    bool cancel = true;
    ModalAnswerer answerer([&](QWidget* window) {
      title = window->windowTitle();
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
    Click(dialog, "cmdTblMore");
    QCOMPARE(title, "More Table Options");
    Get<QAction>(dialog, "mnuCopyright")->trigger();
    QCOMPARE(title, "Edit Copyright Information");
    Click(dialog, "cmdSepOpt");
    QCOMPARE(title, "Separate Page Options");
    QCOMPARE(holders(), before);

    cancel = false;
    answers.colours = {QColor(0x11, 0x22, 0x33)};
    Click(dialog, "cmdTblMore");
    Get<QAction>(dialog, "mnuCopyright")->trigger();
    Click(dialog, "cmdSepOpt");
    QCOMPARE(holders(), "12|0|-1|0 3|0|-1|0 |1|-1|0 |0|-1|3351057 |1|-1|0 (c) Me|0|-1|0 |0|-1|0");
    QCOMPARE(answers.colour_starts.last(), QColor(0, 0, 0));  // the cell colour it had
  }

  void aGuessedTitleWithoutPatternIsRefusedAndOkCommitsOnceChosen() {
    Answers answers;
    frmOptions2* dialog = Open();
    Get<QCheckBox>(dialog, "chkGuessName")->setChecked(true);
    Box(dialog, "txtPageTitle")->setText("  Holiday  ");
    Click(dialog, "cmdOptOk");
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text,
             "You activated Guess Image Title\nbut did not select file naming pattern.");
    QCOMPARE(answers.messages[0].title, "Error!");
    QVERIFY(dialog->isVisible());
    QVERIFY(flags_.ExpressCommitted);  // every press of OK
    QCOMPARE(record_.ExpressPageTitle, "Gallery");

    Get<QComboBox>(dialog, "cboPatternIndex")->setCurrentIndex(2);
    Get<QAction>(dialog, "mnuMenuBoth")->trigger();
    Get<QAction>(dialog, "mnuOpenInJava")->trigger();
    Click(dialog, "cmdOptOk");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(record_.ExpressPageTitle, "Holiday");
    QCOMPARE(record_.ExpressGuessName + record_.ExpressNamePattern, "12");
    QCOMPARE(record_.ExpressMenuLocation, "both");
    QCOMPARE(record_.ExpressLinkTarget, "java");
  }

  void cancelCommitsNothing() {
    Answers answers;
    frmOptions2* dialog = Open();
    Box(dialog, "txtRows")->setText("3");
    Get<QAction>(dialog, "mnuMenuTop")->trigger();
    Click(dialog, "cmdOptCancel");
    QVERIFY(!dialog->isVisible());
    QVERIFY(!flags_.ExpressCommitted);
    QCOMPARE(record_.ExpressRows, "7");
    QCOMPARE(record_.ExpressMenuLocation, "bottom");
  }

  void aChosenColourReachesTheCfeAsTheSameNumber() {
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

    QTemporaryDir tmp;
    std::string path = tmp.filePath("colours.cfe").toStdString(), err;
    QVERIFY(SaveExpressConfig(path, record_, ThumbOptions(), &err));
    QVERIFY(ReadFile(path).find("\r\nExpressColorPageBackground=5649426\r\n") != std::string::npos);
    ExpressSettings loaded;
    ThumbOptions thumbs;
    QVERIFY(LoadExpressConfig(path, &loaded, &thumbs, &err));
    QCOMPARE(loaded.ExpressColorPageBackground, "5649426");
  }

  void theFontIsFoundByNameElseByIndex_data() {
    std::vector<std::string> families = Families();
    if (families.size() < 2) QSKIP("the test needs two font families");
    QString second = QString::fromStdString(families[1]);
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("committed");  // ExpressFontName@ExpressFontFace after OK
    QTest::newRow("by name") << second << "0" << 1 << second + "@1";
    QTest::newRow("by index") << ""
                              << "1" << 1 << second + "@1";
    QTest::newRow("index outside the list") << ""
                                            << "9999" << -1 << "@-1";
    QTest::newRow("a name the desktop lacks") << "No Such Font"
                                              << "1" << -1 << "No Such Font@-1";
  }
  void theFontIsFoundByNameElseByIndex() {
    QFETCH(QString, name);
    QFETCH(QString, face);
    QFETCH(int, chosen);
    QFETCH(QString, committed);
    record_.ExpressFontName = name.toStdString();
    record_.ExpressFontFace = face.toStdString();
    frmOptions2* dialog = Open();
    auto* fonts = Get<QComboBox>(dialog, "cboFonts");
    QCOMPARE(fonts->currentIndex(), chosen);
    if (chosen >= 0)
      QCOMPARE(Get<QLabel>(dialog, "lblPrimary")->font().family(), fonts->currentText());
    Click(dialog, "cmdOptOk");
    QCOMPARE(QString::fromStdString(record_.ExpressFontName + "@" + record_.ExpressFontFace),
             committed);
  }

  // Window -> record -> .cfe -> record -> window shows what the first showed.
  void theDialogSurvivesTheRoundTripThroughAFile() {
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
    Get<QComboBox>(dialog, "cboFonts")->setCurrentIndex(Families().size() - 1);
    Get<QComboBox>(dialog, "cboPixelPercent")->setCurrentIndex(0);
    Get<QComboBox>(dialog, "cboPatternIndex")->setCurrentIndex(3);
    Get<ColourLabel>(dialog, "ColorPageLinkVisited")->SetColor();
    Get<ColourLabel>(dialog, "ColorTableBorder")->SetColor();
    Get<QAction>(dialog, "mnuMenuTop")->trigger();
    Get<QAction>(dialog, "mnuOpenInNew")->trigger();
    Form shown = dialog->Controls();
    Click(dialog, "cmdOptOk");
    QVERIFY(answers.messages.isEmpty());

    QTemporaryDir tmp;
    std::string path = tmp.filePath("trip.cfe").toStdString(), err;
    QVERIFY(SaveExpressConfig(path, record_, ThumbOptions(), &err));
    record_ = ExpressSettings();
    ThumbOptions thumbs;
    QVERIFY(LoadExpressConfig(path, &record_, &thumbs, &err));
    Form again = Open()->Controls();
    for (const auto& [name, control] : shown)
      QVERIFY2(Shown(again.at(name)) == Shown(control), name.c_str());
  }
};

QTEST_MAIN(FrmOptions2Test)
#include "frm_options2_test.moc"
