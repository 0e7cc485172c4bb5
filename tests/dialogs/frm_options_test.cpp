// The Advanced settings dialog on its own: the live checks and rules of its
// controls, the tabs, the snipplet list, the files it opens and its OK and
// Cancel; and its code editors: the insertion target and the colour box, the
// tag palettes, the JavaScript, inactive-link, no-menu, template and
// next/previous thumbnail editors and the font tag builder.
#include "dialogs/frm_options.h"

#include "dialogs/frm_font.h"
#include "dialogs/up_down.h"
#include "gui_answers.h"
#include "run/fonts.h"

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
  QPlainTextEdit* Code(const QString& name) { return Code(dialog_.get(), name); }
  static QPlainTextEdit* Code(QWidget* window, const QString& name) {
    return Get<QPlainTextEdit>(window, name);
  }
  QTabWidget* Tabs() { return Get<QTabWidget>(dialog_.get(), "SSTab1"); }
  void Tab(int tab) { Tabs()->setCurrentIndex(tab); }
  QListWidget* Rows() { return Get<QListWidget>(dialog_.get(), "lstRows"); }
  void Click(const QString& name) { ::Click(dialog_.get(), name); }
  static void Click(const QObject* window, const QString& name) { ::Click(window, name); }
  // A click as a person makes it: the button takes the focus first.
  void ClickWithFocus(const char* button) {
    QTest::mouseClick(Get<QAbstractButton>(dialog_.get(), button), Qt::LeftButton);
  }
  QList<bool> Selected() {
    QList<bool> selected;
    for (int i = 0; i < Rows()->count(); ++i) selected << Rows()->item(i)->isSelected();
    return selected;
  }
  std::string Path(const QString& name) { return tmp_->filePath(name).toStdString(); }
  QString File(const char* name, const std::string& contents) {
    WriteFile(Path(name), contents);
    return tmp_->filePath(name);
  }
  // A record of `rows` rows with snipplet files.
  static AdvancedSettings WithSnipplets(const char* rows, const char* files, const char* chosen) {
    AdvancedSettings record;
    record.Rows = rows;
    record.SnippletFiles = files;
    record.SnippletRows = chosen;
    return record;
  }
  // Gives the cell code `text` and leaves it with `from` to `to` selected.
  QPlainTextEdit* EditCellCode(const QString& text, int from, int to) {
    Tab(2);
    QPlainTextEdit* cell = Code("txtCellCode");
    cell->setPlainText(text);
    cell->setFocus();
    QTextCursor cursor = cell->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cell->setTextCursor(cursor);
    return cell;
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

  // One watcher checks every box (which text passes is the rules' own test):
  // a refused box gets its tab and the focus back, once, also when the box
  // it was left for is refused too; Enter checks the box before OK; Cancel,
  // which discards it, does not.
  void aRefusedBoxGetsItsTabAndTheFocusBackOnce() {
    Answers answers;
    QLineEdit* rows = Line("txtRows");
    Line("txtCols")->setText("");
    rows->setFocus();
    rows->setText("");
    Line("txtCols")->setFocus();
    QCOMPARE(answers.Said(), QStringList{"Error!|This field can not be empty or zero!"});
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QTRY_VERIFY(rows->hasFocus());
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();  // where a bounce would go on
    QCOMPARE(answers.messages.size(), 1);
    Tab(6);  // the user turns to another tab
    QTRY_COMPARE(Tabs()->currentIndex(), 0);
    QTRY_VERIFY(rows->hasFocus());
    QTest::keyClick(rows, Qt::Key_Return);  // presses OK, the default button
    QCOMPARE(answers.messages.size(), 3);
    QVERIFY(dialog_->isVisible() && !flags_.AdvancedCommitted);
    QCoreApplication::processEvents();  // the focus is back from that refusal
    ClickWithFocus("cmdOptCancel");
    QCOMPARE(answers.messages.size(), 3);
  }

  void numberBoxesDropTypedLettersButCheckPastedOnes() {
    Answers answers;
    QLineEdit* rows = Line("txtRows");
    rows->setFocus();
    QTRY_VERIFY(rows->hasSelectedText());  // the whole text, ready to be typed over
    QTest::keyClicks(rows, "x1y2");
    QCOMPARE(rows->text(), "12");
    QCOMPARE(Get<UpDown>(dialog_.get(), "UDRows")->value(), 12);  // the arrows: frmOptions2's test
    rows->selectAll();
    rows->insert("ab");  // a paste passes the key filter
    QCOMPARE(rows->text(), "ab");
    Line("txtCols")->setFocus();
    QCOMPARE(answers.Said(), QStringList{"Error!|This field can not be empty or zero!"});
    QTRY_VERIFY(rows->hasFocus());
  }

  void emptiedCodeBoxesGetTheirSkeleton() {
    const struct {
      const char *box, *emptied, *skeleton;
      int caret;
    } cases[] = {{"txtJavaCell", "   ", "<TD></TD>", 4},  // blanks are empty
                 {"txtMenuCode", " \n", " \n", 2},        // a line break is no blank
                 {"txtCodeBeforeMenu", "", "<TABLE><TR>", 11},
                 {"txtStyleCode", "", "<STYLE><--.nu ></STYLE>", 14},
                 {"txtStyleCode", "  ", "  ", 2}};  // only an empty style code is
    for (const auto& c : cases) {
      QPlainTextEdit* code = Code(c.box);
      code->selectAll();
      code->insertPlainText(c.emptied);
      QCOMPARE(code->toPlainText(), c.skeleton);
      QCOMPARE(code->textCursor().position(), c.caret);
    }
  }

  void thePreviewFollowsEveryKeystroke() {
    QLabel* preview = Get<QLabel>(dialog_.get(), "lblFileName");
    QCOMPARE(preview->text(), "page_01.html");
    QLineEdit* name = Line("txtPageFileName");
    name->clear();
    QTest::keyClicks(name, "pic");
    QCOMPARE(preview->text(), "pic01.html");
    Line("txtStartAt")->setText("7");  // read when the box is left or another field changes
    QCOMPARE(preview->text(), "pic01.html");
    Line("txtUnits")->setText("3");
    QCOMPARE(preview->text(), "pic007.html");
    Get<QComboBox>(dialog_.get(), "cboHTMLExt")->setCurrentIndex(1);
    Click("optAsPrefix");
    QCOMPARE(preview->text(), "007pic.htm");
  }

  void checkBoxesRuleTheControlsThatDependOnThem() {
    QVERIFY(!Line("txtHeader")->isEnabled() && !Get(dialog_.get(), "cmdBrowseHeader")->isEnabled());
    Click("chkUseHeader");
    QVERIFY(Line("txtHeader")->isEnabled() && Get(dialog_.get(), "cmdBrowseHeader")->isEnabled());
    QVERIFY(!Code("txtStyleCode")->isEnabled() && Code("txtPageTitleCode")->isEnabled());

    QVERIFY(Code("txtJavaCell")->isHidden() && Get(dialog_.get(), "cmdShowJava")->isHidden());
    Click("chkUseJava");
    QVERIFY(!Code("txtJavaCell")->isHidden() && !Get(dialog_.get(), "cmdShowJava")->isHidden());
    QVERIFY(Code("txtCellCode")->isHidden());
    QCOMPARE(Get<QLabel>(dialog_.get(), "lblCellCode")->text(), "CELL CODE (JavaScript)");

    Code("txtTableClose")->setPlainText("</TABLE></CENTER>");
    Click("chkTableClose");
    QCOMPARE(Code("txtTableClose")->toPlainText(), "</TABLE>");
    Click("chkTableClose");
    QCOMPARE(Code("txtTableClose")->toPlainText(), "AUTO-CLOSE");
  }

  void everyControlHasItsWidget() {
    for (const auto& [name, control] : NewAdvancedForm())
      QVERIFY2(dialog_->findChild<QObject*>(QString::fromStdString(name)), name.c_str());
  }

  void changingTabsAppliesTheirRules() {
    QMenuBar* bar = Get<QMenuBar>(dialog_.get(), "menubar");
    QWidget* colours = Get(dialog_.get(), "fraColorBoxBack");
    int height = dialog_->height();
    QVERIFY(!bar->isVisible() && !colours->isVisible());
    Code("txtTableClose")->setPlainText("typed while unchecked");
    Tabs()->setCurrentIndex(3);
    QVERIFY(bar->isVisible() && colours->isVisible());
    QVERIFY(Get<QMenu>(dialog_.get(), "mnuEdit")->menuAction()->isVisible());
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

    AdvancedSettings record;  // a loaded custom table close is kept
    record.UseTableClose = "1";
    record.TableClose = "</TABLE></CENTER>";
    Open(record);
    Tab(3);
    QCOMPARE(Code("txtTableClose")->toPlainText(), "</TABLE></CENTER>");
  }

  void aRefusedOkLeavesTheRecordAndTheDialog() {
    Answers answers;  // which refusal comes first is the transfer's own test
    Line("txtPageTitle")->setText("Changed");
    Line("txtSubFolderName")->setText("  ");
    Tabs()->setCurrentIndex(6);
    Click("cmdOptOk");  // the trimmed text is shown
    QCOMPARE(answers.Said(), QStringList{"Error!|You have selected to store thumbnails in a "
                                         "subfolder\nand left the subfolder name empty."});
    QCOMPARE(Tabs()->currentIndex(), 0);
    QCOMPARE(Line("txtSubFolderName")->text(), "");
    QTRY_VERIFY(Line("txtSubFolderName")->hasFocus());
    QVERIFY(dialog_->isVisible());
    QVERIFY(!flags_.AdvancedCommitted);
    QCOMPARE(record_.PageTitle, "Page");

    Line("txtSubFolderName")->setText("small");
    Click("cmdOptOk");
    QCOMPARE(dialog_->result(), QDialog::Accepted);
    QVERIFY(flags_.AdvancedCommitted);
    QCOMPARE(record_.PageTitle + "|" + record_.SubFolderName, "Changed|small");
  }

  void changingTheRowsKeepsTheSnippletsOfTheRowsLeft() {
    Open(WithSnipplets("5", "/s/two.html?1^^$$^^/s/five.html?4^^$$^^", "2,4"));
    QCOMPARE(Rows()->item(4)->toolTip(), " 5  /s/five.html");
    Line("txtRows")->setText("3");
    QCOMPARE(record_.SnippletFiles, "/s/two.html?1^^$$^^/s/five.html?4^^$$^^");
    Line("txtRows")->setText("5");
    QCOMPARE(Entries(Rows()), QStringList({" 1   ", " 2  /s/two.html", " 3   ", " 4   ", " 5   "}));
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
    QCOMPARE(Rows()->item(2)->text(), " 3  " + snippet);
    QVERIFY(Rows()->item(2)->isSelected());
    Click("cmdLoadSnipplet");  // cancelled
    QCOMPARE(Rows()->item(2)->text(), " 3  " + snippet);

    emit Rows()->customContextMenuRequested(QPoint(1, 1));
    QCOMPARE(answers.Opened(), QStringList{QUrl::fromLocalFile(snippet).toString()});
    answers.desktop_works = false;
    emit Rows()->customContextMenuRequested(QPoint(1, 1));
    QCOMPARE(answers.Said(), QStringList{"Little Mix Up|Text editor not found"});

    Rows()->item(5)->setSelected(true);
    Click("cmdOptOk");
    QCOMPARE(record_.SnippletRows, "3,6");
    QCOMPARE(record_.SnippletFiles, (snippet + "?2^^$$^^").toStdString());
  }

  void clearAndClearAllDetachTheFiles() {
    Answers answers;
    Open(WithSnipplets("3", "/a?0^^$$^^/b?1^^$$^^", "1,2"));
    Rows()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    Click("cmdClrRow");  // the selections: the rows' own test
    QCOMPARE(Entries(Rows()), QStringList({" 1  /a", " 2  ", " 3   "}));
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    Click("cmdClrRowAll");
    QCOMPARE(Entries(Rows()), QStringList({" 1  /a", " 2  ", " 3   "}));
    Click("cmdClrRowAll");
    QCOMPARE(Entries(Rows()), QStringList({" 1   ", " 2   ", " 3   "}));
    QCOMPARE(answers.Said().first(), "Whoa, horsy!|Are you like sure and all?");
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  }

  void theStyleMenuFillsTheStyleCode() {
    Answers answers;
    QString css = File("site.css", "a {\r\n  color:   red; }\r\n");
    answers.paths = {css, css, tmp_->path(), ""};
    Trigger(dialog_.get(), "mnuAddCSSURL");
    QCOMPARE(Code("txtStyleCode")->toPlainText(),
             "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + css + "\">");
    QCOMPARE(Code("txtStyleCode")->textCursor().position(), 0);
    Trigger(dialog_.get(), "mnuAddCSSCONT");
    QCOMPARE(Code("txtStyleCode")->toPlainText(), "<STYLE><--.nua { color: red; }  ></STYLE>");
    Trigger(dialog_.get(), "mnuAddCSSCONT");  // a folder cannot be read
    Trigger(dialog_.get(), "mnuAddCSSCONT");  // cancelled
    QCOMPARE(Code("txtStyleCode")->toPlainText(), "<STYLE><--.nua { color: red; }  ></STYLE>");
    QCOMPARE(answers.Said(), QStringList{"Error|" + tmp_->path() + ": is not a regular file"});
    QCOMPARE(answers.messages[0].icon, QMessageBox::Warning);
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
    QCOMPARE(answers.files.size(), 2);
    QCOMPARE(answers.files[0].folder, tmp_->path());  // the state folder
    Line("txtHeader")->setText(" " + header + " ");
    QTest::mouseDClick(Line("txtHeader"), Qt::LeftButton);
    Line("txtFooter")->setText(tmp_->filePath("missing.html"));
    QTest::mouseDClick(Line("txtFooter"), Qt::LeftButton);
    QCOMPARE(answers.Opened(), QStringList{QUrl::fromLocalFile(header).toString()});
  }

  void aColourReplacesTheSelectionOfTheCodeBoxLeftLast() {
    Answers answers;
    answers.colours = {QColor(0x12, 0x34, 0x56)};
    QPlainTextEdit* cell = EditCellCode("<TD>abcXYZdef</TD>", 7, 10);
    ClickWithFocus("cmdColor");
    QCOMPARE(cell->toPlainText(), "<TD>abc#123456def</TD>");
    QCOMPARE(cell->textCursor().position(), 14);
    QVERIFY(cell->hasFocus());
    QCOMPARE(Line("txtColor")->text(), "#123456");
    QCOMPARE(answers.clipboard, QStringList({"#123456"}));
  }

  void aCheckBoxOrATabInBetweenDisarmsTheTarget() {
    Answers answers;
    answers.colours = {QColor(Qt::red), QColor(), QColor(Qt::blue)};
    QPlainTextEdit* cell = EditCellCode("<TD></TD>", 4, 4);
    Get(dialog_.get(), "chkUseJava")->setFocus(Qt::MouseFocusReason);
    ClickWithFocus("cmdColor");
    QCOMPARE(cell->toPlainText(), "<TD></TD>");
    ClickWithFocus("cmdColor");  // cancelled: nothing changes
    QCOMPARE(Line("txtColor")->text(), "#FF0000");
    QCOMPARE(answers.clipboard, QStringList({"#FF0000"}));
    EditCellCode("<TD></TD>", 4, 4);
    Tab(3);
    Tab(2);
    Click("cmdColor");
    QCOMPARE(cell->toPlainText(), "<TD></TD>");
  }

  // A copy closes the palette with its tag on the clipboard, E&XIT without;
  // the link palettes have no owner.
  void tagButtonsOpenTheirPalettes() {
    const struct {
      const char *button, *palette, *copy, *tag;
      bool owned;
    } cases[] = {{"Command1", "frmCellCodeVars", "cmdCopy4", "[FILE SIZE]", true},
                 {"Command4", "frmVarsMnu", "cmdCopy2", "[PAGE NUMBER]", true},
                 {"cmdNPTags", "frmNPTagsNext", "cmdCopy1", "[NEXT PAGE]", false},
                 {"Command7", "frmNPTagsPrev", "cmdVarOptExit", nullptr, false}};
    for (const auto& c : cases) {
      Answers answers;
      QString shown;
      bool owned = false;
      ModalAnswerer answerer([&](QWidget* modal) {
        shown = modal->objectName();
        owned = modal->parentWidget() == dialog_.get();
        Click(modal, c.copy);
      });
      Click(c.button);
      QCOMPARE(shown, c.palette);
      QCOMPARE(owned, c.owned);
      QCOMPARE(answers.clipboard, c.tag ? QStringList{c.tag} : QStringList());
    }
  }

  void theJavaScriptEditorHandsBackOneLine() {
    Tab(2);
    Click("chkUseJava");
    QString opened_with;
    ModalAnswerer answerer([&](QWidget* modal) {
      opened_with = Code(modal, "txtJavaCode")->toPlainText();
      Code(modal, "txtJavaCode")->setPlainText("<SCRIPT>\nfunction a() {}\n\n</SCRIPT>");
      Click(modal, "cmdJavaCodeOk");
    });
    Click("cmdShowJava");
    QCOMPARE(opened_with.toStdString(), AdvancedSettings().JavaCode);
    QCOMPARE(Code("txtJavaCode")->toPlainText(), "<SCRIPT> function a() {}  </SCRIPT>");
  }

  void theInactiveLinkEditorKeepsItsValuesUntilOk() {
    Answers answers;
    Tab(3);
    auto edit = [&](const char* button) {
      bool colour_box_hidden = false;
      ModalAnswerer answerer([&](QWidget* modal) {
        colour_box_hidden = Get(dialog_.get(), "fraColorBoxBack")->isHidden();
        QVERIFY(Get<QCheckBox>(modal, "chkInactAuto")->isChecked());
        Click(modal, "chkLinkInact");  // checking one unchecks the other
        QVERIFY(!Get<QCheckBox>(modal, "chkInactAuto")->isChecked());
        Code(modal, "txtLinkInact")->setPlainText("<TD>[PAGE NUMBER]</TD>");
        Click(modal, button);
      });
      Trigger(dialog_.get(), "mnuInactive");
      QVERIFY(colour_box_hidden);
      QVERIFY(!Get(dialog_.get(), "fraColorBoxBack")->isHidden());
    };
    edit("cmdOptCancel");
    QCOMPARE(Get<QLabel>(dialog_.get(), "lblLinkInact")->text().toStdString(),
             AdvancedSettings().LinkInact);
    QVERIFY(Get<QCheckBox>(dialog_.get(), "chkInactAuto")->isChecked());
    edit("cmdOptOk");
    QCOMPARE(Get<QLabel>(dialog_.get(), "lblLinkInact")->text(), "<TD>[PAGE NUMBER]</TD>");
    Click("cmdOptOk");  // the record shows the check boxes
    QCOMPARE(record_.LinkInact + "|" + record_.UseLinkInact + record_.InactAuto,
             "<TD>[PAGE NUMBER]</TD>|10");
  }

  void theNoMenuEditorWritesItsCodeOnOk() {
    Tab(3);
    ModalAnswerer answerer([&](QWidget* modal) {
      Code(modal, "txtNoMenu")->setPlainText("<p>One page</p>");
      Click(modal, "cmdOptOk");
    });
    Trigger(dialog_.get(), "mnuNoMenu");
    QCOMPARE(Get<QLabel>(dialog_.get(), "lblNoMenu")->text(), "<p>One page</p>");
  }

  void aNewTemplateIsSavedAsBeforeSaveAndExitAndHandsItsPathBack() {
    Answers answers;
    QString saved = tmp_->filePath("new.tpl");
    answers.paths = {saved};
    QString caption, caption_after_save;
    std::string after_save_as;
    bool open_after_refusal = false;
    ModalAnswerer answerer([&](QWidget* modal) {
      caption = modal->windowTitle();
      Code(modal, "txtTemplate")->setPlainText("<p>[IMAGE FILE NAME]</p>\n[NEXT THUMB]");
      Click(modal, "Command1");  // Save And Exit: no file yet
      open_after_refusal = modal->isVisible();
      Click(modal, "Command5");  // Save As
      after_save_as = ReadFile(saved.toStdString());
      caption_after_save = modal->windowTitle();
      WriteFile(saved.toStdString(), "");
      Click(modal, "Command1");
    });
    Tab(4);
    Click("cmdTmplNew");
    QCOMPARE(caption, "New Template - UNSAVED");
    QVERIFY(open_after_refusal);
    QCOMPARE(answers.Said(),
             QStringList{"Oops!|Yay! Template does not exist\nUse the 'Save As' button"});
    QCOMPARE(after_save_as, "<p>[IMAGE FILE NAME]</p>\r\n[NEXT THUMB]\r\n");
    QCOMPARE(caption_after_save, "Edit Template: " + saved);
    QCOMPARE(ReadFile(saved.toStdString()), after_save_as);  // Save And Exit wrote it again
    QCOMPARE(Line("txtTmplAddy")->text(), saved);
  }

  void aMissingTemplateOpensAnEmptyEditorThatCannotSave() {
    Answers answers;
    Tab(4);
    Line("txtTmplAddy")->setText(tmp_->filePath("gone.tpl"));
    QString text = "unset";
    ModalAnswerer answerer([&](QWidget* modal) {
      text = Code(modal, "txtTemplate")->toPlainText();
      Click(modal, "Command1");
      modal->close();
    });
    Click("cmdEditTemplate");
    QCOMPARE(text, "");
    QCOMPARE(answers.Said(),
             QStringList({"Oops!|Template file not found!",
                          "Oops!|Yay! Template does not exist\nUse the 'Save As' button"}));
  }

  // A bare name is beside the .cfg; every save adds a line end; a file
  // loaded in the editor becomes its target and goes back to the dialog.
  void savingAndLoadingInTheEditor() {
    Answers answers;
    WriteFile(Path("page.tpl"), "a\r\nb");
    WriteFile(Path("other.tpl"), "other\r\n");
    answers.paths = {tmp_->filePath("other.tpl")};
    Tab(4);
    Line("txtTmplAddy")->setText("page.tpl");
    QStringList seen;
    bool load = false;
    ModalAnswerer answerer([&](QWidget* modal) {
      if (load) Click(modal, "cmdLoadTmpl");
      seen << modal->windowTitle() + "|" + Code(modal, "txtTemplate")->toPlainText();
      Click(modal, "Command1");
    });
    Click("cmdEditTemplate");
    QCOMPARE(ReadFile(Path("page.tpl")), "a\r\nb\r\n");
    QCOMPARE(Line("txtTmplAddy")->text(), "page.tpl");  // no path handed back
    load = true;
    Click("cmdEditTemplate");
    QCOMPARE(seen, QStringList({"Edit Template: " + tmp_->filePath("page.tpl") + "|a\nb",
                                "Edit Template: " + tmp_->filePath("other.tpl") + "|other\n"}));
    QCOMPARE(ReadFile(Path("page.tpl")), "a\r\nb\r\n");
    QCOMPARE(ReadFile(Path("other.tpl")), "other\r\n\r\n");
    QCOMPARE(Line("txtTmplAddy")->text(), tmp_->filePath("other.tpl"));
    QVERIFY(answers.messages.isEmpty());
  }

  void closingAChangedTemplateAsksAnEmptyOneNever() {
    Answers answers;
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    bool open_after_no = false;
    {
      ModalAnswerer answerer([&](QWidget* modal) {
        Code(modal, "txtTemplate")->setPlainText("changed");
        Click(modal, "Command2");
        open_after_no = modal->isVisible();
        Click(modal, "Command2");
      });
      Click("cmdTmplNew");
    }
    QVERIFY(open_after_no);
    QCOMPARE(answers.Said(), QStringList(2,
                                         "Hold Your Water|You are about to exit the editor\n"
                                         "without saving the template.\nProceed?"));
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    ModalAnswerer cleared([&](QWidget* modal) {
      Code(modal, "txtTemplate")->setPlainText("typed, then cleared");
      Click(modal, "Command6");
      Click(modal, "Command2");
    });
    Click("cmdTmplNew");
    QCOMPARE(answers.messages.size(), 2);
  }

  // Cancel commits nothing, OK the codes trimmed to one line.
  void theTemplateEditorOpensTheThumbCodes() {
    Answers answers;
    record_.NextThumbCode = "<b>next</b>";
    flags_.ThumbCodesCommitted = true;
    QStringList shown, committed;
    ModalAnswerer answerer([&](QWidget* modal) {
      for (const char* button : {"Command10", "Command5"}) {
        ModalAnswerer inner([&](QWidget* controls) {  // the editor's own modal window
          shown << Code(controls, "txtNextThumbCode")->toPlainText();
          Code(controls, "txtPrevThumbCode")->setPlainText(" <b>back</b>\n<i> ");
          Click(controls, button);
        });
        Click(modal, "Command4");
        committed << QString::fromStdString(record_.PrevThumbCode);
      }
      modal->close();
    });
    Click("cmdTmplNew");
    QCOMPARE(shown, QStringList(2, "<b>next</b>"));
    QCOMPARE(committed, QStringList({QString::fromStdString(AdvancedSettings().PrevThumbCode),
                                     "<b>back</b> <i>"}));
    QVERIFY(!thumb_codes_);  // unloaded with its OK
  }

  // The faces are the list kesto-cli counts ExpressFontFace in.
  void theFontBuilderWrapsTheSelectionInItsTag() {
    QStringList families = QStrings(FontFamilies());
    if (families.isEmpty()) QSKIP("no font family");
    QPlainTextEdit* cell = EditCellCode("<TD>one word</TD>", 8, 12);
    {
      ModalAnswerer answerer([&](QWidget* modal) {
        QCOMPARE(Entries(Get<QComboBox>(modal, "cboFonts")), families);
        Get<QComboBox>(modal, "cboFonts")->setCurrentIndex(families.size() - 1);
        Get<QLineEdit>(modal, "txtFontSize")->setText("3");
        Click(modal, "chkBold");
        Click(modal, "chkUnder");
        Click(modal, "cmdApply");
        Click(modal, "cmdOk");
      });
      ClickWithFocus("cmdFont");
    }
    QString opening = "<font face=\"" + families.last() + "\" size=\"3\" color=\"#FFFFFF\"><b><u>";
    QCOMPARE(cell->toPlainText(), "<TD>one " + opening + "word</u></b></font></TD>");
    QCOMPARE(cell->textCursor().position(), 8 + opening.size() + 4);  // before the closing tags
    QCOMPARE(editors_.font.result, opening + "</u></b></font>");      // kept for the next opening
  }

  void theFontBuilderOpensAsLeftAndChecksTheSize() {
    Answers answers;
    InsertionTarget target;
    FontMemory memory;
    memory.bold = true;
    memory.result = "<b>";
    frmFont builder(&target, &memory, nullptr);
    builder.show();
    QVERIFY(QTest::qWaitForWindowActive(&builder));
    QVERIFY(Get<QCheckBox>(&builder, "chkBold")->isChecked());  // as it was left
    QCOMPARE(Code(&builder, "txtResult")->toPlainText(), "<b>");
    QLineEdit* size = Get<QLineEdit>(&builder, "txtFontSize");
    size->setFocus();
    size->setText("49");
    Get(&builder, "chkBold")->setFocus();
    QCOMPARE(answers.Said(), QStringList{"Error!|Hi. Please enter a value between 1 and 48"});
    QCOMPARE(size->text(), "48");
    QTRY_VERIFY(size->hasFocus());
  }
};

QTEST_MAIN(FrmOptionsTest)
#include "frm_options_test.moc"
