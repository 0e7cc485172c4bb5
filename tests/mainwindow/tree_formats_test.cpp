// The main window's photo trees and extra picture types: "Add with
// subfolders" in the folder picker, and the check list kept in nd.ini.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "pictures/vips_io.h"
#include "temp_folder.h"

class TreeFormatsTest : public QObject {
  Q_OBJECT

 private:
  QString Path(const QString& name) { return tmp_->filePath(name); }
  void Picture(const QString& path, const QString& fixture = "pictures/small.jpg") {
    QDir().mkpath(QFileInfo(Path(path)).path());
    QVERIFY(QFile::copy(KESTO_TEST_DATA "/" + fixture, Path(path)));
  }
  QStringList Entries() {
    auto* list = window_->findChild<QComboBox*>("cboDirList");
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
  }
  QListWidget* Formats() { return window_->findChild<QListWidget*>("lstFormats"); }
  QListWidgetItem* Format(const QString& label) {
    QList<QListWidgetItem*> items = Formats()->findItems(label, Qt::MatchExactly);
    return items.size() == 1 ? items[0] : nullptr;
  }
  void AddFolder(const QString& folder, bool with_subfolders) {
    Answers answers;
    answers.paths = {folder};
    answers.options = {with_subfolders};
    window_->findChild<QPushButton*>("cmdAddDir")->click();
    QCOMPARE(answers.option_texts, QStringList{"Add with subfolders"});
  }
  std::string StateFile() { return ReadFile(Path("state/nd.ini").toStdString()); }
  void CloseAndReopen() {
    QCloseEvent close;
    QApplication::sendEvent(window_.get(), &close);
    window_ = std::make_unique<frmMain>(Path("state").toStdString());
    QVERIFY(window_->StartUp());
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<frmMain> window_;

 private slots:
  void init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    QDir().mkpath(Path("state"));
    WriteFile(
        Path("state/nd.ini").toStdString(),
        "[General]\r\nMode=exp\r\nLoadLast=0\r\n[JPEG]\r\nQuality=75\r\n"
        "ResizeMethod=Height\r\nHeight=100\r\nWidth=100\r\nProgressive=0\r\n[DIRs]\r\n#=0\r\n");
    window_ = std::make_unique<frmMain>(Path("state").toStdString());
    QVERIFY(window_->StartUp());
  }
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  void addWithSubfoldersAddsTheFolderAndEachBelowItThatHoldsPictures() {
    Picture("tree/2024/Holidays/a.jpg");
    Picture("tree/2024/thumbs/a_tn.jpg");
    Picture("tree/2025/b.png", "thumbs/png-named.jpg");
    AddFolder(Path("tree"), false);
    QCOMPARE(Entries(), QStringList{Path("tree") + "/"});
    AddFolder(Path("tree"), true);  // the folder is there already; the others join it
    QCOMPARE(Entries(), QStringList({Path("tree") + "/", Path("tree/2024/Holidays") + "/"}));
    Format("PNG")->setCheckState(Qt::Checked);  // the tree as a run with PNG sees it
    AddFolder(Path("tree"), true);
    QCOMPARE(Entries(), QStringList({Path("tree") + "/", Path("tree/2024/Holidays") + "/",
                                     Path("tree/2025") + "/"}));
  }

  void nothingCheckedLeavesTheStateFileAsItWas() {
    std::string before = StateFile();
    CloseAndReopen();
    QCOMPARE(StateFile(), before);
  }

  void theCheckedTypesAreKeptInTheStateFileAndTakenByARun() {
    Picture("pics/a.png", "thumbs/png-named.jpg");
    Picture("pics/b.jpg");
    window_->findChild<QComboBox*>("cboDirList")->addItem(Path("pics") + "/");
    QCOMPARE(Formats()->count(), 5);
    ExtraFormats readable = ReadableExtraFormats();
    for (const ExtraFormatInfo& info : kExtraFormats) {  // what libvips cannot read stays off
      QListWidgetItem* item = Format(QString::fromUtf8(info.label.data(), info.label.size()));
      QCOMPARE(bool(item->flags() & Qt::ItemIsEnabled), readable.Has(info.format));
    }
    Format("PNG")->setCheckState(Qt::Checked);
    Format("TIFF")->setCheckState(Qt::Checked);
    CloseAndReopen();
    QVERIFY(StateFile().find("\r\nExtraFormats=png,tiff\r\n") != std::string::npos);
    QCOMPARE(Format("PNG")->checkState(), Qt::Checked);
    QCOMPARE(Format("WebP")->checkState(), Qt::Unchecked);
    Answers answers;
    window_->findChild<QPushButton*>("cmdProcess")->click();
    QCOMPARE(QDir(Path("pics/thumbs")).entryList(QDir::Files),
             QStringList({"a_tn.jpg", "b_tn.jpg"}));
  }
};

QTEST_MAIN(TreeFormatsTest)
#include "tree_formats_test.moc"
