// The Advanced settings dialog on its own: the focus loop of its checked
// boxes, its rules, OK and the template editor.
#include "dialogs/frm_options.h"

#include "gui_answers.h"

class FrmOptionsTest : public QObject {
  Q_OBJECT

 private:
  // The dialog over `record`, shown and active, its .cfg beside the folder.
  void Open(const AdvancedSettings& record = {}) {
    record_ = record;
    Form form = NewAdvancedForm();
    QVERIFY(SetOptions(record_, &form, nullptr));
    std::string folder = tmp_->path().toStdString();
    OptionsContext context{&record_, &flags_, &thumb_codes_, &editors_, folder, folder + "/"};
    dialog_ = std::make_unique<frmOptions>(form, context, nullptr);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
  }
  QLineEdit* Line(const QString& name) { return Get<QLineEdit>(dialog_.get(), name); }
  static QPlainTextEdit* Code(QWidget* window, const QString& name) {
    return Get<QPlainTextEdit>(window, name);
  }
  QPlainTextEdit* Code(const QString& name) { return Code(dialog_.get(), name); }
  QTabWidget* Tabs() { return Get<QTabWidget>(dialog_.get(), "SSTab1"); }
  void Click(const QString& name) { ::Click(dialog_.get(), name); }
  static void Click(const QObject* window, const QString& name) { ::Click(window, name); }
  QString File(const char* name, const std::string& contents) {
    WriteFile(tmp_->filePath(name).toStdString(), contents);
    return tmp_->filePath(name);
  }
  std::unique_ptr<QTemporaryDir> tmp_;
  AdvancedSettings record_;
  CommittedFlags flags_;
  std::optional<Form> thumb_codes_;
  EditorMemory editors_;
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

  // One watcher checks every box: a refused box gets its tab and the focus
  // back, once, also when the box it was left for is refused too; Enter
  // checks the box before OK; Cancel, which discards it, does not. Typed
  // letters never get in; a paste is checked when the box is left.
  void aRefusedBoxGetsItsTabAndTheFocusBackOnce() {
    Answers answers;
    QLineEdit* rows = Line("txtRows");
    rows->setFocus();
    QTRY_VERIFY(rows->hasSelectedText());  // the whole text, ready to be typed over
    QTest::keyClicks(rows, "x1y2");
    QCOMPARE(rows->text(), "12");
    Line("txtCols")->setText("");
    rows->selectAll();
    rows->insert("ab");  // a paste passes the key filter
    Line("txtCols")->setFocus();
    QCOMPARE(answers.messages.size(), 1);
    QTRY_VERIFY(rows->hasFocus());
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();  // where a bounce would go on
    QCOMPARE(answers.messages.size(), 1);
    Tabs()->setCurrentIndex(6);  // the user turns to another tab
    QTRY_VERIFY(Tabs()->currentIndex() == 0 && rows->hasFocus());
    QTest::keyClick(rows, Qt::Key_Return);  // presses OK, the default button
    QCOMPARE(answers.messages.size(), 3);
    QVERIFY(dialog_->isVisible() && !flags_.AdvancedCommitted);
    QCoreApplication::processEvents();  // the focus is back from that refusal
    // A click as a person makes it: the button takes the focus first.
    QTest::mouseClick(Get<QAbstractButton>(dialog_.get(), "cmdOptCancel"), Qt::LeftButton);
    QCOMPARE(answers.messages.size(), 3);
  }

  // Emptied code boxes get their skeleton (blanks are empty, a line break is
  // no blank, only an empty style code is); the preview follows every key
  // stroke; the check boxes and tabs apply their rules.
  void codeBoxesCheckBoxesTabsAndThePreviewApplyTheirRules() {
    const struct {
      const char *box, *emptied, *skeleton;
      int caret;
    } cases[] = {{"txtJavaCell", "   ", "<TD></TD>", 4},
                 {"txtMenuCode", " \n", " \n", 2},
                 {"txtStyleCode", "", "<STYLE><--.nu ></STYLE>", 14},
                 {"txtStyleCode", "  ", "  ", 2}};
    for (const auto& c : cases) {
      Code(c.box)->selectAll();
      Code(c.box)->insertPlainText(c.emptied);
      QVERIFY2(Code(c.box)->toPlainText() == c.skeleton &&
                   Code(c.box)->textCursor().position() == c.caret,
               c.box);
    }
    Line("txtPageFileName")->clear();
    QTest::keyClicks(Line("txtPageFileName"), "pic");
    Click("optAsPrefix");
    QCOMPARE(Get<QLabel>(dialog_.get(), "lblFileName")->text(), "01pic.html");
    QVERIFY(!Line("txtHeader")->isEnabled());
    Click("chkUseHeader");
    Click("chkUseJava");
    QVERIFY(Line("txtHeader")->isEnabled() && Get(dialog_.get(), "cmdBrowseHeader")->isEnabled());
    QVERIFY(Code("txtCellCode")->isHidden() && !Code("txtJavaCell")->isHidden());
    Code("txtTableClose")->setPlainText("typed while unchecked");
    Tabs()->setCurrentIndex(3);
    QCOMPARE(Code("txtTableClose")->toPlainText(), "AUTO-CLOSE");
    Click("chkTableClose");
    QCOMPARE(Code("txtTableClose")->toPlainText(), "</TABLE>");
    Tabs()->setCurrentIndex(4);
    QCOMPARE(Line("txtTmplAddy")->text(), tmp_->path() + "/default.tpl");
  }

  void aRefusedOkLeavesTheRecordAndTheDialog() {
    Answers answers;
    Line("txtPageTitle")->setText("Changed");
    Line("txtSubFolderName")->setText("  ");
    Tabs()->setCurrentIndex(6);
    Click("cmdOptOk");
    QVERIFY(answers.messages.size() == 1 && Tabs()->currentIndex() == 0);
    QCOMPARE(Line("txtSubFolderName")->text(), "");  // the trimmed text is shown
    QTRY_VERIFY(Line("txtSubFolderName")->hasFocus());
    QVERIFY(dialog_->isVisible() && !flags_.AdvancedCommitted && record_.PageTitle == "Page");
    Line("txtSubFolderName")->setText("small");
    Click("cmdOptOk");
    QVERIFY(dialog_->result() == QDialog::Accepted && flags_.AdvancedCommitted);
    QCOMPARE(record_.PageTitle + "|" + record_.SubFolderName, "Changed|small");
  }

  // Save And Exit refuses a new template until Save As has named it; a file
  // loaded in the editor goes back to the dialog; a bare name is beside the
  // .cfg; every save adds a line end. Closing a changed template asks (No
  // keeps the editor open), an emptied one never.
  void theTemplateEditorSavesWhereItShouldAndAsks() {
    Answers answers;
    QString saved = tmp_->filePath("new.tpl"), page = File("page.tpl", "a\r\nb");
    answers.paths = {saved, page};
    QStringList seen;
    {
      ModalAnswerer answerer([&](QWidget* modal) {
        if (modal->windowTitle() == "New Template - UNSAVED") {
          Code(modal, "txtTemplate")->setPlainText("<p>[IMAGE FILE NAME]</p>");
          Click(modal, "Command1");  // refused: no file yet
          Click(modal, "Command5");  // Save As
        } else {
          seen << modal->windowTitle();
          Click(modal, "cmdLoadTmpl");
        }
        seen << modal->windowTitle() + "|" + Code(modal, "txtTemplate")->toPlainText();
        Click(modal, "Command1");
      });
      Tabs()->setCurrentIndex(4);
      Click("cmdTmplNew");
      QVERIFY(answers.messages.size() == 1 &&
              ReadFile(saved.toStdString()) == "<p>[IMAGE FILE NAME]</p>\r\n");
      Line("txtTmplAddy")->setText("new.tpl");
      Click("cmdEditTemplate");
    }
    QCOMPARE(seen, QStringList({"Edit Template: " + saved + "|<p>[IMAGE FILE NAME]</p>",
                                "Edit Template: " + saved, "Edit Template: " + page + "|a\nb"}));
    QVERIFY(ReadFile(page.toStdString()) == "a\r\nb\r\n" && Line("txtTmplAddy")->text() == page);
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    bool open_after_no = false;
    for (const char* close_after : {"Command2", "Command6"}) {  // as it is, emptied
      ModalAnswerer answerer([&](QWidget* modal) {
        Code(modal, "txtTemplate")->setPlainText("changed");
        Click(modal, close_after);
        open_after_no = open_after_no || modal->isVisible();
        Click(modal, "Command2");
      });
      Click("cmdTmplNew");
    }
    QVERIFY(open_after_no && answers.messages.size() == 3);
    QCOMPARE(answers.messages[1].buttons, QMessageBox::Yes | QMessageBox::No);
  }
};

QTEST_MAIN(FrmOptionsTest)
#include "frm_options_test.moc"
