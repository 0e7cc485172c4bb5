// The code editors of the Advanced dialog: the insertion target and the
// colour box, the tag palettes, the JavaScript, inactive-link and no-menu
// editors, the template editor and the font tag builder.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/colour_label.h"
#include "dialogs/font_list.h"
#include "dialogs/frm_font.h"
#include "dialogs/frm_options.h"
#include "gui_answers.h"
#include "temp_folder.h"

namespace {

template <typename T>
T* Get(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(name);
  if (!child) qFatal("no control %s", name);
  return child;
}

QPlainTextEdit* Code(QWidget* window, const char* name) {
  return Get<QPlainTextEdit>(window, name);
}

void Click(QWidget* window, const char* button) { Get<QAbstractButton>(window, button)->click(); }

// A click as a person makes it: the button takes the focus first.
void ClickWithFocus(QWidget* window, const char* button) {
  QTest::mouseClick(Get<QAbstractButton>(window, button), Qt::LeftButton);
}

void Select(QPlainTextEdit* box, int from, int to) {
  QTextCursor cursor = box->textCursor();
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  box->setTextCursor(cursor);
}

}  // namespace

class CodeEditorsTest : public QObject {
  Q_OBJECT

 private:
  void Open() {
    Form form = NewAdvancedForm();
    QVERIFY(SetOptions(record_, &form, nullptr));
    std::string folder = tmp_->path().toStdString();
    OptionsContext context{&record_, &flags_, &thumb_codes_, &editors_, folder, folder + "/"};
    dialog_ = std::make_unique<frmOptions>(form, context, nullptr);
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
  }
  std::string Path(const QString& name) { return tmp_->filePath(name).toStdString(); }
  QWidget* Dialog() { return dialog_.get(); }
  void Tab(int tab) { Get<QTabWidget>(Dialog(), "SSTab1")->setCurrentIndex(tab); }
  // Gives the cell code `text` and leaves it with `from` to `to` selected.
  QPlainTextEdit* EditCellCode(const QString& text, int from, int to) {
    Tab(2);
    QPlainTextEdit* cell = Code(Dialog(), "txtCellCode");
    cell->setPlainText(text);
    cell->setFocus();
    Select(cell, from, to);
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
    record_ = {};
    flags_ = {};
    Open();
  }
  void cleanup() {
    dialog_.reset();
    tmp_.reset();
  }

  void aColourReplacesTheSelectionOfTheCodeBoxLeftLast() {
    Answers answers;
    answers.colours = {QColor(0x12, 0x34, 0x56)};
    QPlainTextEdit* cell = EditCellCode("<TD>abcXYZdef</TD>", 7, 10);
    ClickWithFocus(Dialog(), "cmdColor");
    QCOMPARE(cell->toPlainText(), "<TD>abc#123456def</TD>");
    QCOMPARE(cell->textCursor().position(), 14);
    QVERIFY(cell->hasFocus());
    QCOMPARE(Get<QLineEdit>(Dialog(), "txtColor")->text(), "#123456");
    QCOMPARE(answers.clipboard, QStringList({"#123456"}));
  }

  void aCheckBoxInBetweenDisarmsTheTarget() {
    Answers answers;
    answers.colours = {QColor(Qt::red), QColor()};
    QPlainTextEdit* cell = EditCellCode("<TD></TD>", 4, 4);
    Get<QWidget>(Dialog(), "chkUseJava")->setFocus(Qt::MouseFocusReason);
    ClickWithFocus(Dialog(), "cmdColor");
    QCOMPARE(cell->toPlainText(), "<TD></TD>");
    QCOMPARE(Get<QLineEdit>(Dialog(), "txtColor")->text(), "#FF0000");
    QCOMPARE(answers.clipboard, QStringList({"#FF0000"}));
    ClickWithFocus(Dialog(), "cmdColor");  // cancelled: nothing changes
    QCOMPARE(Get<QLineEdit>(Dialog(), "txtColor")->text(), "#FF0000");
    QCOMPARE(answers.clipboard.size(), 1);
  }

  void aChangeOfTabDisarmsTheTarget() {
    Answers answers;
    answers.colours = {QColor(Qt::blue)};
    QPlainTextEdit* cell = EditCellCode("<TD></TD>", 4, 4);
    Tab(3);
    Tab(2);
    Get<QPushButton>(Dialog(), "cmdColor")->click();
    QCOMPARE(cell->toPlainText(), "<TD></TD>");
  }

  void tagButtonsOpenTheirPalettes_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("owned");
    auto row = [](const char* button, int tab, const char* palette, const char* caption,
                  const char* copy, const char* tag, bool owned) {
      QTest::newRow(button) << button << tab << palette << caption << copy << tag << owned;
    };
    row("Command1", 2, "frmCellCodeVars", "Cell Code Tags", "cmdCopy4", "[FILE SIZE]", true);
    row("Command6", 2, "frmTitleCodeVars", "Header/Page Title Code Tags", "cmdCopy1",
        "[MAX PAGE NUMBER]", true);
    row("Command5", 3, "frmBeforeMenuVars", "Open/Close Menu Table Tags", "cmdCopy3", "[NEXT LINK]",
        true);
    row("Command4", 3, "frmVarsMnu", "Menu Cell Code Tags", "cmdCopy2", "[PAGE NUMBER]", true);
    row("cmdNPTags", 3, "frmNPTagsNext", "Next Link Tag", "cmdCopy1", "[NEXT PAGE]", false);
    row("Command7", 3, "frmNPTagsPrev", "Previous Link Tag", "cmdVarOptExit", "", false);
  }
  void tagButtonsOpenTheirPalettes() {
    QFETCH(QString, button);
    QFETCH(int, tab);
    QFETCH(QString, palette);
    QFETCH(QString, caption);
    QFETCH(QString, copy);
    QFETCH(QString, tag);
    QFETCH(bool, owned);
    Answers answers;
    Tab(tab);
    QString shown;
    bool has_owner = false;
    ModalAnswerer answerer([&](QWidget* modal) {
      shown = modal->objectName() + "|" + modal->windowTitle();
      has_owner = modal->parentWidget() == Dialog();
      Click(modal, copy.toLatin1());
    });
    Click(Dialog(), button.toLatin1());
    QCOMPARE(shown, palette + "|" + caption);
    QCOMPARE(has_owner, owned);
    QCOMPARE(answers.clipboard, tag.isEmpty() ? QStringList() : QStringList({tag}));
  }

  void theJavaScriptEditorHandsBackOneLine() {
    Tab(2);
    Click(Dialog(), "chkUseJava");
    QString opened_with;
    ModalAnswerer answerer([&](QWidget* modal) {
      opened_with = Code(modal, "txtJavaCode")->toPlainText();
      Code(modal, "txtJavaCode")->setPlainText("<SCRIPT>\nfunction a() {}\n\n</SCRIPT>");
      Click(modal, "cmdJavaCodeOk");
    });
    Click(Dialog(), "cmdShowJava");
    QCOMPARE(opened_with.toStdString(), AdvancedSettings().JavaCode);
    QCOMPARE(Code(Dialog(), "txtJavaCode")->toPlainText(), "<SCRIPT> function a() {}  </SCRIPT>");
  }

  void theInactiveLinkEditorKeepsItsValuesUntilOk() {
    Answers answers;
    Tab(3);
    auto edit = [&](const char* button) {
      bool colour_box_hidden = false;
      ModalAnswerer answerer([&](QWidget* modal) {
        colour_box_hidden = Get<QWidget>(Dialog(), "fraColorBoxBack")->isHidden();
        QCOMPARE(modal->windowTitle(), "Edit Inactive Link Code");
        QVERIFY(Get<QCheckBox>(modal, "chkInactAuto")->isChecked());
        Click(modal, "chkLinkInact");  // checking one unchecks the other
        QVERIFY(!Get<QCheckBox>(modal, "chkInactAuto")->isChecked());
        Code(modal, "txtLinkInact")->setPlainText("<TD>[PAGE NUMBER]</TD>");
        Click(modal, button);
      });
      Get<QAction>(Dialog(), "mnuInactive")->trigger();
      QVERIFY(colour_box_hidden);
      QVERIFY(!Get<QWidget>(Dialog(), "fraColorBoxBack")->isHidden());
    };
    edit("cmdOptCancel");
    QCOMPARE(Get<QLabel>(Dialog(), "lblLinkInact")->text().toStdString(),
             AdvancedSettings().LinkInact);
    QVERIFY(Get<QCheckBox>(Dialog(), "chkInactAuto")->isChecked());
    edit("cmdOptOk");
    QCOMPARE(Get<QLabel>(Dialog(), "lblLinkInact")->text(), "<TD>[PAGE NUMBER]</TD>");
    QVERIFY(Get<QCheckBox>(Dialog(), "chkLinkInact")->isChecked());
    QVERIFY(!Get<QCheckBox>(Dialog(), "chkInactAuto")->isChecked());
    Click(Dialog(), "cmdOptOk");
    QCOMPARE(record_.LinkInact, "<TD>[PAGE NUMBER]</TD>");
    QCOMPARE(record_.UseLinkInact, "1");
    QCOMPARE(record_.InactAuto, "0");
  }

  void theNoMenuEditorWritesItsCodeOnOk() {
    Tab(3);
    ModalAnswerer answerer([&](QWidget* modal) {
      QCOMPARE(modal->windowTitle(), "Edit \"No Menu\" Code");
      Code(modal, "txtNoMenu")->setPlainText("<p>One page</p>");
      Click(modal, "cmdOptOk");
    });
    Get<QAction>(Dialog(), "mnuNoMenu")->trigger();
    QCOMPARE(Get<QLabel>(Dialog(), "lblNoMenu")->text(), "<p>One page</p>");
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
    Click(Dialog(), "cmdTmplNew");
    QCOMPARE(caption, "New Template - UNSAVED");
    QVERIFY(open_after_refusal);
    QCOMPARE(answers.messages[0].title, "Oops!");
    QCOMPARE(answers.messages[0].text, "Yay! Template does not exist\nUse the 'Save As' button");
    QCOMPARE(after_save_as, "<p>[IMAGE FILE NAME]</p>\r\n[NEXT THUMB]\r\n");
    QCOMPARE(caption_after_save, "Edit Template: " + saved);
    QCOMPARE(ReadFile(saved.toStdString()), after_save_as);  // Save And Exit wrote it again
    QCOMPARE(Get<QLineEdit>(Dialog(), "txtTmplAddy")->text(), saved);
    QCOMPARE(answers.files[0].title, "Save Template File As");
    QCOMPARE(answers.messages.size(), 1);
  }

  void everySaveAddsALineEnd() {
    Answers answers;
    WriteFile(Path("page.tpl"), "a\r\nb");
    Tab(4);
    Get<QLineEdit>(Dialog(), "txtTmplAddy")->setText("page.tpl");  // beside the .cfg
    QString caption;
    ModalAnswerer answerer([&](QWidget* modal) {
      caption = modal->windowTitle();
      Click(modal, "Command1");
    });
    Click(Dialog(), "cmdEditTemplate");
    QCOMPARE(caption, "Edit Template: " + tmp_->filePath("page.tpl"));
    QCOMPARE(ReadFile(Path("page.tpl")), "a\r\nb\r\n");
    Click(Dialog(), "cmdEditTemplate");
    QCOMPARE(ReadFile(Path("page.tpl")), "a\r\nb\r\n\r\n");
    QCOMPARE(Get<QLineEdit>(Dialog(), "txtTmplAddy")->text(), "page.tpl");  // no path handed back
    QVERIFY(answers.messages.isEmpty());
  }

  void aMissingTemplateOpensAnEmptyEditorThatCannotSave() {
    Answers answers;
    Tab(4);
    Get<QLineEdit>(Dialog(), "txtTmplAddy")->setText(tmp_->filePath("gone.tpl"));
    QString text = "unset";
    ModalAnswerer answerer([&](QWidget* modal) {
      text = Code(modal, "txtTemplate")->toPlainText();
      Click(modal, "Command1");
      modal->close();
    });
    Click(Dialog(), "cmdEditTemplate");
    QCOMPARE(text, "");
    QCOMPARE(answers.messages.size(), 2);
    QCOMPARE(answers.messages[0].title, "Oops!");
    QCOMPARE(answers.messages[0].text, "Template file not found!");
    QCOMPARE(answers.messages[1].text, "Yay! Template does not exist\nUse the 'Save As' button");
  }

  void loadingInTheEditorReplacesTextAndTarget() {
    Answers answers;
    WriteFile(Path("first.tpl"), "first");
    WriteFile(Path("other.tpl"), "other\r\n");
    answers.paths = {tmp_->filePath("other.tpl")};
    Tab(4);
    Get<QLineEdit>(Dialog(), "txtTmplAddy")->setText(tmp_->filePath("first.tpl"));
    QString text, caption;
    ModalAnswerer answerer([&](QWidget* modal) {
      Click(modal, "cmdLoadTmpl");
      text = Code(modal, "txtTemplate")->toPlainText();
      caption = modal->windowTitle();
      Click(modal, "Command1");
    });
    Click(Dialog(), "cmdEditTemplate");
    QCOMPARE(text, "other\n");
    QCOMPARE(caption, "Edit Template: " + tmp_->filePath("other.tpl"));
    QCOMPARE(answers.files[0].title, "Load Template File");
    QCOMPARE(answers.files[0].filter, "Templates (*.tpl)");
    QCOMPARE(ReadFile(Path("first.tpl")), "first");
    QCOMPARE(ReadFile(Path("other.tpl")), "other\r\n\r\n");
    QCOMPARE(Get<QLineEdit>(Dialog(), "txtTmplAddy")->text(), tmp_->filePath("other.tpl"));
  }

  void closingAChangedTemplateAsks() {
    Answers answers;
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    bool open_after_no = false;
    ModalAnswerer answerer([&](QWidget* modal) {
      Code(modal, "txtTemplate")->setPlainText("changed");
      Click(modal, "Command2");
      open_after_no = modal->isVisible();
      Click(modal, "Command2");
    });
    Click(Dialog(), "cmdTmplNew");
    QVERIFY(open_after_no);
    QCOMPARE(answers.messages.size(), 2);
    QCOMPARE(answers.messages[0].title, "Hold Your Water");
    QCOMPARE(answers.messages[0].text,
             "You are about to exit the editor\nwithout saving the template.\nProceed?");
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
  }

  void closingAnEmptyTemplateNeverAsks() {
    Answers answers;
    ModalAnswerer answerer([&](QWidget* modal) {
      Code(modal, "txtTemplate")->setPlainText("typed, then cleared");
      Click(modal, "Command6");
      Click(modal, "Command2");
    });
    Click(Dialog(), "cmdTmplNew");
    QVERIFY(answers.messages.isEmpty());
  }

  void theTemplateEditorOpensTheThumbCodes() {
    Answers answers;
    record_.NextThumbCode = "<b>next</b>";
    flags_.ThumbCodesCommitted = true;
    QString shown;
    ModalAnswerer answerer([&](QWidget* modal) {
      ModalAnswerer inner([&](QWidget* controls) {  // the editor's own modal window
        shown = Code(controls, "txtNextThumbCode")->toPlainText();
        Code(controls, "txtPrevThumbCode")->setPlainText(" <b>back</b> ");
        Click(controls, "Command5");
      });
      Click(modal, "Command4");
      modal->close();
    });
    Click(Dialog(), "cmdTmplNew");
    QCOMPARE(shown, "<b>next</b>");
    QCOMPARE(record_.PrevThumbCode, "<b>back</b>");
    QVERIFY(!thumb_codes_);  // unloaded with its OK
  }

  void theFontBuilderWrapsTheSelectionInItsTag() {
    QStringList families = SortedFontFamilies();
    if (families.isEmpty()) QSKIP("no font family");
    QPlainTextEdit* cell = EditCellCode("<TD>one word</TD>", 8, 12);
    {
      ModalAnswerer answerer([&](QWidget* modal) {
        Get<QComboBox>(modal, "cboFonts")->setCurrentIndex(families.size() - 1);
        Get<QLineEdit>(modal, "txtFontSize")->setText("3");
        Click(modal, "chkBold");
        Click(modal, "chkUnder");
        Click(modal, "cmdApply");
        Click(modal, "cmdOk");
      });
      ClickWithFocus(Dialog(), "cmdFont");
    }
    QString opening = "<font face=\"" + families.last() + "\" size=\"3\" color=\"#FFFFFF\"><b><u>";
    QCOMPARE(cell->toPlainText(), "<TD>one " + opening + "word</u></b></font></TD>");
    QCOMPARE(cell->textCursor().position(), 8 + opening.size() + 4);  // before the closing tags
    QCOMPARE(editors_.font.result, opening + "</u></b></font>");

    QString result;
    bool bold = false, italic = true;
    ModalAnswerer reopened([&](QWidget* modal) {  // as it was left
      result = Code(modal, "txtResult")->toPlainText();
      bold = Get<QCheckBox>(modal, "chkBold")->isChecked();
      italic = Get<QCheckBox>(modal, "chkItalic")->isChecked();
      Click(modal, "cmdOptOk");
    });
    Click(Dialog(), "cmdFont");
    QCOMPARE(result, editors_.font.result);
    QVERIFY(bold && !italic);
  }

  void theFontSizeIsCheckedOnLeaving() {
    Answers answers;
    InsertionTarget target;
    FontMemory memory;
    frmFont builder(&target, &memory, nullptr);
    builder.show();
    QVERIFY(QTest::qWaitForWindowActive(&builder));
    QCOMPARE(Get<QLineEdit>(&builder, "txtFontSize")->text(), "2");
    QCOMPARE(Get<ColourLabel>(&builder, "Label2")->colour(), 0x00FFFFFFu);
    QLineEdit* size = Get<QLineEdit>(&builder, "txtFontSize");
    size->setFocus();
    size->setText("49");
    Get<QWidget>(&builder, "chkBold")->setFocus();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text, "Hi. Please enter a value between 1 and 48");
    QCOMPARE(size->text(), "48");
    QTRY_VERIFY(size->hasFocus());
  }
};

QTEST_MAIN(CodeEditorsTest)
#include "code_editors_test.moc"
