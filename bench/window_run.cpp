// A gallery run started from the main window, as a person starts it: the
// state folder names one directory and the Express settings, Process is
// clicked from the event loop, and the program waits until the window takes
// input again. Prints the run's wall time and the largest gap between two
// ticks of a 10 ms timer on the window's thread during the run: how long the
// window could not repaint or hear STOP.
//
//   bench_window_run stall [COUNT]   COUNT pictures (default 20,000) whose
//                                    thumbnails exist, picture pages on
//   bench_window_run run DIR CFE     DIR with the settings of CFE, as given
//
// `stall` makes its folder under $TMPDIR and removes it at the end; `run`
// works on DIR itself (remove its thumbs/ and pages between runs).
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "mainwindow/frm_main.h"

namespace fs = std::filesystem;

namespace {

// COUNT pictures (3,000 bytes each: only names and sizes matter once the
// thumbnails exist) with their thumbnails in thumbs/.
void MakePictures(const fs::path& dir, int count) {
  fs::create_directories(dir / "thumbs");
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo_%05d", i);
    std::ofstream(dir / (std::string(name) + ".jpg")) << std::string(3000, 'x');
    std::ofstream(dir / "thumbs" / (std::string(name) + "_tn.jpg"));
  }
}

// A state folder whose autosave holds `cfe` and whose list holds `dir`.
void MakeState(const fs::path& state, const std::string& dir, const std::string& cfe) {
  fs::create_directories(state);
  std::ofstream(state / "nd.ini") << "[General]\r\nMode=exp\r\nLoadLast=1\r\n[DIRs]\r\n1=" << dir
                                  << "\r\n#=1\r\n";
  std::ofstream(state / "tempexp.cfe") << cfe;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The Express settings of the stall run: picture pages and clean-up on.
const char kStallSettings[] =
    "[Express]\r\nQuality=75\r\nResizeMethod=Height\r\nHeight=100\r\nWidth=100\r\n"
    "Progressive=0\r\nExpressUpdate=True\r\nExpressOverwrite=False\r\nExpressSepPage=1\r\n"
    "ExpressCleanHouse=1\r\nExpressFontName=Arial\r\n";

// Watches the central widget: the run has ended when it takes input again.
class RunEnd : public QObject {
 public:
  explicit RunEnd(QWidget* central) : central_(central) { central->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange && central_->isEnabled()) QApplication::quit();
    return false;
  }

 private:
  QWidget* central_;
};

// Runs the window's Process over the state folder; prints the time and the
// largest timer gap.
int TimeProcess(const fs::path& state, const char* label) {
  frmMain window(state.string());
  if (!window.StartUp()) return 1;
  window.show();
  RunEnd end(window.centralWidget());
  QElapsedTimer clock, since_tick;
  qint64 largest_gap = 0;
  QTimer ticks;
  ticks.setTimerType(Qt::PreciseTimer);
  ticks.callOnTimeout([&] { largest_gap = std::max(largest_gap, since_tick.restart()); });
  QTimer::singleShot(0, [&] {
    clock.start();
    since_tick.start();
    ticks.start(10);
    window.findChild<QPushButton*>("cmdProcess")->click();
    // A window that ran the whole run inside the click is ready again here.
    if (window.centralWidget()->isEnabled()) QApplication::quit();
  });
  QApplication::exec();
  largest_gap = std::max(largest_gap, since_tick.elapsed());
  std::printf("%s: %.3f s, largest gap of the 10 ms timer %lld ms\n", label,
              clock.elapsed() / 1000.0, static_cast<long long>(largest_gap));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::string mode = argc > 1 ? argv[1] : "";
  fs::path root = fs::temp_directory_path() / ("kesto_bench_window_" + std::to_string(getpid()));
  int status = 2;
  if (mode == "stall" && argc <= 3) {
    int count = argc == 3 ? std::atoi(argv[2]) : 20000;
    MakePictures(root / "pics", count);
    MakeState(root / "state", (root / "pics").string() + "/", kStallSettings);
    TimeProcess(root / "state", "pages written");
    status = TimeProcess(root / "state", "pages unchanged");
  } else if (mode == "run" && argc == 4) {
    MakeState(root / "state", argv[2], ReadText(argv[3]));
    status = TimeProcess(root / "state", "run");
  } else {
    std::fprintf(stderr, "usage: bench_window_run stall [COUNT] | run DIR CFE\n");
  }
  fs::remove_all(root);
  return status;
}
