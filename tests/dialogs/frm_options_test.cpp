// The Advanced settings dialog on its own: the live checks and rules of its
// controls, the tabs, the snipplet list, the files it opens and its OK and
// Cancel; and the next/previous thumbnail code editor.
#include "dialogs/frm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "dialogs/frm_np_control.h"
#include "dialogs/up_down.h"
#include "gui_answers.h"
#include "settings/snipplet_rows.h"
#include "temp_folder.h"

class FrmOptionsTest : public QObject {
  Q_OBJECT

 private:
  void Open(const AdvancedSettings& record = {}) {
    record_ = record;
    Form form = NewAdvancedForm();
    QVERIFY(SetOptions(record_, &form, nullptr));
    dialog_ =
        std::make_unique<frmOptions>(form,
                                     OptionsContext{&record_, &flags_, &thumb_codes_, &editors_,
                                                    tmp_->path().toStdString(), config_dir_},
                                     nullptr);
  }
  void Show() {
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
  }
  template <typename T>
  T* Get(const char* name) {
    T* child = dialog_->findChild<T*>(name);
    if (!child) qFatal("no control %s", name);
    return child;
  }
  QLineEdit* Line(const char* name) { return Get<QLineEdit>(name); }
  QPlainTextEdit* Code(const char* name) { return Get<QPlainTextEdit>(name); }
  QTabWidget* Tabs() { return Get<QTabWidget>("SSTab1"); }
  QListWidget* Rows() { return Get<QListWidget>("lstRows"); }
  void Click(const char* name) { Get<QAbstractButton>(name)->click(); }
  QStringList Entries() {
    QStringList entries;
    for (int i = 0; i < Rows()->count(); ++i) entries << Rows()->item(i)->text();
    return entries;
  }
  QList<bool> Selected() {
    QList<bool> selected;
    for (int i = 0; i < Rows()->count(); ++i) selected << Rows()->item(i)->isSelected();
    return selected;
  }
  QString File(const char* name, const std::string& contents) {
    WriteFile(tmp_->filePath(name).toStdString(), contents);
    return tmp_->filePath(name);
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  AdvancedSettings record_;
  CommittedFlags flags_;
  std::optional<Form> thumb_codes_;
  EditorMemory editors_;
  std::string config_dir_;
  std::unique_ptr<frmOptions> dialog_;

 private slots:
  void init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    flags_ = {};
    Open();
  }
  void cleanup() {
    dialog_.reset();
    tmp_.reset();
  }

  void aFieldCheckSwitchesToItsTabAndKeepsTheFocus_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("rows") << "txtRows" << 0 << "0"
                          << "This field can not be empty or zero!";
    QTest::newRow("start") << "txtStartAt" << 0 << ""
                           << "This field can not be empty!";
    QTest::newRow("break") << "txtBreakMenuNum" << 3 << ""
                           << "This field can not be empty or zero!";
    QTest::newRow("letters") << "txtFNameMaxLet" << 5 << "2"
                             << "This field can not be less than 3!";
  }
  void aFieldCheckSwitchesToItsTabAndKeepsTheFocus() {
    QFETCH(QString, box);
    QFETCH(int, tab);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Answers answers;
    Show();
    Get<QCheckBox>("chkBreakMenu")->setChecked(true);
    Tabs()->setCurrentIndex(tab);
    QLineEdit* field = Line(box.toLatin1());
    field->setFocus();
    field->setText(text);
    Tabs()->setCurrentIndex(tab == 6 ? 1 : 6);  // the user turns to another tab
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text, message);
    QCOMPARE(answers.messages[0].title, "Error!");
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QTRY_COMPARE(Tabs()->currentIndex(), tab);
    QTRY_VERIFY(field->hasFocus());
    QCOMPARE(answers.messages.size(), 1);
  }

  void numberBoxesDropTypedLettersButCheckPastedOnes() {
    Answers answers;
    Show();
    QLineEdit* rows = Line("txtRows");
    rows->setFocus();
    QTRY_VERIFY(rows->hasSelectedText());  // the whole text, ready to be typed over
    QTest::keyClicks(rows, "x1y2");
    QCOMPARE(rows->text(), "12");
    QCOMPARE(Get<UpDown>("UDRows")->value(), 12);
    Get<UpDown>("UDRows")->findChildren<QToolButton*>()[0]->click();  // up
    QCOMPARE(rows->text(), "13");
    rows->selectAll();
    rows->insert("ab");  // a paste passes the key filter
    QCOMPARE(rows->text(), "ab");
    QCOMPARE(Get<UpDown>("UDRows")->value(), 13);  // no number: the up-down stays
    Line("txtCols")->setFocus();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text, "This field can not be empty or zero!");
    QTRY_VERIFY(rows->hasFocus());
    QCOMPARE(Tabs()->currentIndex(), 0);
  }

  void emptiedCodeBoxesGetTheirSkeleton_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<QString>("skeleton");
    QTest::addColumn<int>("caret");
    auto row = [](const char* name, QString box, QString emptied, QString skeleton, int caret) {
      QTest::newRow(name) << box << emptied << skeleton << caret;
    };
    row("cell", "txtCellCode", "", "<TD></TD>", 4);
    row("blank java cell", "txtJavaCell", "   ", "<TD></TD>", 4);
    row("a line break is no blank", "txtMenuCode", " \n", " \n", 2);
    row("before menu", "txtCodeBeforeMenu", "", "<TABLE><TR>", 11);
    row("after menu", "txtCodeAfterMenu", " ", "</TR></TABLE>", 0);
    row("script", "txtJavaCode", " ",
        "<SCRIPT LANGUAGE =\"Javascript\">function ShowPic(){};</SCRIPT>", 48);
    row("style", "txtStyleCode", "", "<STYLE><--.nu ></STYLE>", 14);
    row("blank style stays", "txtStyleCode", "  ", "  ", 2);
  }
  void emptiedCodeBoxesGetTheirSkeleton() {
    QFETCH(QString, box);
    QFETCH(QString, emptied);
    QFETCH(QString, skeleton);
    QFETCH(int, caret);
    QPlainTextEdit* code = Code(box.toLatin1());
    code->selectAll();
    code->insertPlainText(emptied);
    QCOMPARE(code->toPlainText(), skeleton);
    QCOMPARE(code->textCursor().position(), caret);
  }

  void thePreviewFollowsEveryKeystroke() {
    QLabel* preview = Get<QLabel>("lblFileName");
    QCOMPARE(preview->text(), "page_01.html");
    QLineEdit* name = Line("txtPageFileName");
    name->clear();
    QTest::keyClick(name, 'p');
    QCOMPARE(preview->text(), "p01.html");
    QTest::keyClicks(name, "ic");
    QCOMPARE(preview->text(), "pic01.html");
    Line("txtStartAt")->setText("7");  // read when the box is left or another field changes
    QCOMPARE(preview->text(), "pic01.html");
    Line("txtUnits")->setText("3");
    QCOMPARE(preview->text(), "pic007.html");
    Get<QComboBox>("cboHTMLExt")->setCurrentIndex(1);
    QCOMPARE(preview->text(), "pic007.htm");
    Click("optAsPrefix");
    QCOMPARE(preview->text(), "007pic.htm");
    Line("txtStartAt")->setText("1234");  // already longer than the digits: kept whole
    Line("txtPageTitle")->setText("Any");
    QCOMPARE(preview->text(), "1234pic.htm");
  }

  void checkBoxesRuleTheControlsThatDependOnThem() {
    auto* subfolder = Get<QCheckBox>("chkStoreInSub");
    QVERIFY(subfolder->isChecked() && Line("txtSubFolderName")->isEnabled());
    subfolder->click();
    QVERIFY(!Line("txtSubFolderName")->isEnabled());
    QVERIFY(!Line("txtHeader")->isEnabled() && !Get<QWidget>("cmdBrowseHeader")->isEnabled());
    Click("chkUseHeader");
    QVERIFY(Line("txtHeader")->isEnabled() && Get<QWidget>("cmdBrowseHeader")->isEnabled());
    QVERIFY(!Code("txtStyleCode")->isEnabled() && Code("txtPageTitleCode")->isEnabled());

    QVERIFY(Code("txtJavaCell")->isHidden() && Get<QWidget>("cmdShowJava")->isHidden());
    Click("chkUseJava");
    QVERIFY(!Code("txtJavaCell")->isHidden() && !Get<QWidget>("cmdShowJava")->isHidden());
    QVERIFY(Code("txtCellCode")->isHidden());
    QCOMPARE(Get<QLabel>("lblCellCode")->text(), "CELL CODE (JavaScript)");

    Code("txtTableClose")->setPlainText("</TABLE></CENTER>");
    Click("chkTableClose");
    QCOMPARE(Code("txtTableClose")->toPlainText(), "</TABLE>");
    Click("chkTableClose");
    QCOMPARE(Code("txtTableClose")->toPlainText(), "AUTO-CLOSE");
  }

  void aLoadedCustomTableCloseIsKept() {
    AdvancedSettings record;
    record.UseTableClose = "1";
    record.TableClose = "</TABLE></CENTER>";
    Open(record);
    QCOMPARE(Code("txtTableClose")->toPlainText(), "</TABLE></CENTER>");
    Tabs()->setCurrentIndex(3);
    QCOMPARE(Code("txtTableClose")->toPlainText(), "</TABLE></CENTER>");
  }

  void changingTabsAppliesTheirRules() {
    Show();
    QMenuBar* bar = Get<QMenuBar>("menubar");
    QWidget* colours = Get<QWidget>("fraColorBoxBack");
    int height = dialog_->height();
    QVERIFY(!bar->isVisible() && !colours->isVisible());
    Code("txtTableClose")->setPlainText("typed while unchecked");
    Tabs()->setCurrentIndex(3);
    QVERIFY(bar->isVisible() && colours->isVisible());
    QVERIFY(Get<QMenu>("mnuEdit")->menuAction()->isVisible());
    QCOMPARE(dialog_->height(), height + bar->sizeHint().height());
    QCOMPARE(Code("txtTableClose")->toPlainText(), "AUTO-CLOSE");
    Tabs()->setCurrentIndex(2);
    QVERIFY(!bar->isVisible() && colours->isVisible());
    QCOMPARE(dialog_->height(), height);

    QCOMPARE(Line("txtTmplAddy")->text(), "");
    Tabs()->setCurrentIndex(4);
    QVERIFY(!colours->isVisible());
    QCOMPARE(Line("txtTmplAddy")->text(), tmp_->path() + "/default.tpl");
    Line("txtTmplAddy")->setText("mine.tpl");
    Tabs()->setCurrentIndex(0);
    Tabs()->setCurrentIndex(4);
    QCOMPARE(Line("txtTmplAddy")->text(), "mine.tpl");
  }

  void aRefusedOkLeavesTheRecordAndTheDialog() {
    Answers answers;
    Show();
    AdvancedSettings before = record_;
    Line("txtPageTitle")->setText("Changed");
    Get<QCheckBox>("chkStoreInSub")->setChecked(false);
    Line("txtThumbExt")->clear();
    Tabs()->setCurrentIndex(6);
    Click("cmdOptOk");
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text,
             "You have selected to store thumbnails in the same folder\n"
             "and, at the same time, have not specified thumb\n"
             "extension. Doing so is illegal and unconstitutional.\n"
             "Either check 'Store in subfolder' or specify thumb extension.");
    QCOMPARE(Tabs()->currentIndex(), 0);

    Get<QCheckBox>("chkStoreInSub")->setChecked(true);
    Line("txtFNameMaxLet")->setText("3");  // not above the three dots
    Click("cmdOptOk");
    QCOMPARE(Tabs()->currentIndex(), 5);
    QCOMPARE(Line("txtFNameMaxLet")->text(), "20");
    QCOMPARE(Line("txtFNameReplaceStr")->text(), "...");

    Line("txtSubFolderName")->setText("  ");
    Click("cmdOptOk");
    QCOMPARE(Tabs()->currentIndex(), 0);
    QCOMPARE(Line("txtSubFolderName")->text(), "");
    QTRY_VERIFY(Line("txtSubFolderName")->hasFocus());
    QCOMPARE(answers.messages.size(), 3);
    QVERIFY(dialog_->isVisible());
    QVERIFY(!flags_.AdvancedCommitted);
    QCOMPARE(record_.PageTitle, before.PageTitle);

    Line("txtSubFolderName")->setText("small");
    Click("cmdOptOk");
    QCOMPARE(dialog_->result(), QDialog::Accepted);
    QVERIFY(flags_.AdvancedCommitted);
    QCOMPARE(record_.PageTitle, "Changed");
    QCOMPARE(record_.SubFolderName, "small");
  }

  void cancelCommitsNothing() {
    Show();
    Line("txtPageTitle")->setText("Changed");
    Click("cmdOptCancel");
    QCOMPARE(dialog_->result(), QDialog::Rejected);
    QVERIFY(!flags_.AdvancedCommitted);
    QCOMPARE(record_.PageTitle, "Page");
  }

  void changingTheRowsKeepsTheSnippletsOfTheRowsLeft() {
    AdvancedSettings record;
    record.Rows = "5";
    record.SnippletFiles = "/s/two.html?1^^$$^^/s/five.html?4^^$$^^";
    record.SnippletRows = "2,4";
    Open(record);
    QCOMPARE(Entries(),
             QStringList({" 1   ", " 2  /s/two.html", " 3   ", " 4   ", " 5  /s/five.html"}));
    QCOMPARE(Rows()->item(4)->toolTip(), " 5  /s/five.html");
    Line("txtRows")->setText("3");
    QCOMPARE(Entries(), QStringList({" 1   ", " 2  /s/two.html", " 3   "}));
    QCOMPARE(Selected(), QList<bool>({false, true, false}));
    QCOMPARE(record_.SnippletFiles, "/s/two.html?1^^$$^^/s/five.html?4^^$$^^");
    Line("txtRows")->setText("5");
    QCOMPARE(Entries(), QStringList({" 1   ", " 2  /s/two.html", " 3   ", " 4   ", " 5   "}));
    QCOMPARE(Selected(), QList<bool>({false, true, false, false, false}));
    QCOMPARE(record_.SnippletFiles, "/s/two.html?1^^$$^^");  // written without OK
    QCOMPARE(record_.SnippletRows, "2");
  }

  void snippletButtonsWorkOnTheCurrentRow() {
    Answers answers;
    QString snippet = File("ad.html", "<p>ad</p>");
    Rows()->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    Rows()->item(2)->setSelected(true);
    answers.paths = {snippet, ""};
    Click("cmdLoadSnipplet");
    QCOMPARE(answers.files[0].title, "Locate File");
    QCOMPARE(Rows()->item(2)->text(), " 3  " + snippet);
    QVERIFY(Rows()->item(2)->isSelected());
    Click("cmdLoadSnipplet");  // cancelled
    QCOMPARE(Rows()->item(2)->text(), " 3  " + snippet);

    emit Rows()->customContextMenuRequested(QPoint(1, 1));
    QCOMPARE(answers.desktop.size(), 1);
    QCOMPARE(answers.desktop[0].target, QUrl::fromLocalFile(snippet).toString());
    answers.desktop_works = false;
    emit Rows()->customContextMenuRequested(QPoint(1, 1));
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Little Mix Up");
    QCOMPARE(answers.messages[0].text, "Text editor not found");

    Rows()->item(5)->setSelected(true);
    Click("cmdOptOk");
    QCOMPARE(record_.SnippletRows, "3,6");
    QCOMPARE(record_.SnippletFiles, (snippet + "?2^^$$^^").toStdString());
  }

  void clearAndClearAllDetachTheFiles() {
    Answers answers;
    AdvancedSettings record;
    record.Rows = "3";
    record.SnippletFiles = "/a?0^^$$^^/b?1^^$$^^";
    record.SnippletRows = "1,2";
    Open(record);
    Rows()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    Click("cmdClrRow");
    QCOMPARE(Entries(), QStringList({" 1  /a", " 2  ", " 3   "}));
    QCOMPARE(Selected(), QList<bool>({true, false, false}));
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    Click("cmdClrRowAll");
    QCOMPARE(Entries(), QStringList({" 1  /a", " 2  ", " 3   "}));
    Click("cmdClrRowAll");
    QCOMPARE(Entries(), QStringList({" 1   ", " 2   ", " 3   "}));
    QCOMPARE(Selected(), QList<bool>({false, false, false}));
    QCOMPARE(answers.messages[0].title, "Whoa, horsy!");
    QCOMPARE(answers.messages[0].text, "Are you like sure and all?");
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  }

  void theStyleMenuFillsTheStyleCode() {
    Answers answers;
    QString css = File("site.css", "a {\r\n  color:   red; }\r\n");
    answers.paths = {css, css, tmp_->path(), ""};
    Get<QAction>("mnuAddCSSURL")->trigger();
    QCOMPARE(Code("txtStyleCode")->toPlainText(),
             "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + css + "\">");
    QCOMPARE(Code("txtStyleCode")->textCursor().position(), 0);
    QCOMPARE(answers.files[0].title, "Locate CSS File");
    QCOMPARE(answers.files[0].filter, "CSS Files (*.css);;All Files (*)");
    Get<QAction>("mnuAddCSSCONT")->trigger();
    QCOMPARE(Code("txtStyleCode")->toPlainText(), "<STYLE><--.nua { color: red; }  ></STYLE>");
    Get<QAction>("mnuAddCSSCONT")->trigger();  // a folder cannot be read
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Error");
    QCOMPARE(answers.messages[0].text, "Unknown error loading file");
    QCOMPARE(answers.messages[0].icon, QMessageBox::Warning);
    Get<QAction>("mnuAddCSSCONT")->trigger();  // cancelled
    QCOMPARE(Code("txtStyleCode")->toPlainText(), "<STYLE><--.nua { color: red; }  ></STYLE>");
    QCOMPARE(answers.messages.size(), 1);
  }

  void headerAndFooterFilesAreChosenAndOpened() {
    Answers answers;
    QString header = File("head.html", "<h1>");
    Click("chkUseHeader");
    Click("chkUseFooter");
    answers.paths = {header};
    Click("cmdBrowseHeader");
    Click("cmdBrowseFooter");  // cancelled
    QCOMPARE(Line("txtHeader")->text(), header);
    QCOMPARE(answers.files[0].title, "Locate Header File");
    QCOMPARE(answers.files[1].title, "Locate Footer File");
    QCOMPARE(answers.files[0].filter, "Text Files (*.txt *.html *.htm *.shtml);;All Files (*)");
    Line("txtHeader")->setText(" " + header + " ");
    QTest::mouseDClick(Line("txtHeader"), Qt::LeftButton);
    Line("txtFooter")->setText(tmp_->filePath("missing.html"));
    QTest::mouseDClick(Line("txtFooter"), Qt::LeftButton);
    QCOMPARE(answers.desktop.size(), 1);
    QCOMPARE(answers.desktop[0].target, QUrl::fromLocalFile(header).toString());
  }

  void theThumbCodeEditorCommitsTrimmedCodesOnOk() {
    Answers answers;
    AdvancedSettings record;
    CommittedFlags flags;
    Form form = NewThumbCodeForm();
    frmNPControl cancelled(form, &record, &flags, nullptr);
    cancelled.findChild<QPlainTextEdit*>("txtNextThumbCode")->setPlainText("gone");
    cancelled.findChild<QPushButton*>("Command10")->click();
    QVERIFY(!flags.ThumbCodesCommitted);
    QCOMPARE(record.NextThumbCode, AdvancedSettings().NextThumbCode);

    frmNPControl editor(form, &record, &flags, nullptr);
    QCOMPARE(editor.windowTitle(), "Next/Previous Thumb Control");
    QCOMPARE(editor.findChild<QPlainTextEdit*>("txtPrevThumbCode")->toPlainText(),
             QString::fromStdString(AdvancedSettings().PrevThumbCode));
    editor.findChild<QPushButton*>("cmdCopy4")->click();
    QCOMPARE(answers.clipboard, QStringList({"[NEXT IMAGE FILE NAME]"}));
    editor.findChild<QPlainTextEdit*>("txtNextThumbCode")
        ->setPlainText("  <a>\n[NEXT THUMB PATH] ");
    editor.findChild<QPushButton*>("Command5")->click();
    QVERIFY(flags.ThumbCodesCommitted);
    QCOMPARE(record.NextThumbCode, "<a> [NEXT THUMB PATH]");
    QCOMPARE(editor.result(), QDialog::Accepted);
  }
};

QTEST_MAIN(FrmOptionsTest)
#include "frm_options_test.moc"
