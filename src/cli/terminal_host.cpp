#include "cli/terminal_host.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

#include "settings/utf8.h"

namespace {

std::atomic<bool> g_interrupt{false};

void OnInterrupt(int) { g_interrupt = true; }

bool IsTerminal(std::FILE* f) { return f && isatty(fileno(f)); }

std::string WithLf(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

// A byte that is not part of valid UTF-8 could be taken by the terminal for
// part of a control sequence: it is written as "\xNN".
std::string ForTerminal(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    Utf8Char c = DecodeUtf8At(text, i);
    if (c.valid) {
      out.append(text, i, c.length);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[i]));
      out += hex;
    }
    i += c.length;
  }
  return out;
}

std::string Clock(double seconds) {
  long s = static_cast<long>(seconds + 0.5);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
  return buf;
}

// The columns of the terminal behind `f`; 80 when it does not say.
size_t Columns(std::FILE* f) {
  winsize size{};
  return ioctl(fileno(f), TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
}

// `line` cut to fewer than `columns` characters, so the terminal never wraps
// it (a wrapped line would not be cleared by the next redraw).
std::string FitLine(const std::string& line, size_t columns) {
  size_t shown = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    bool starts_char = (static_cast<unsigned char>(line[i]) & 0xC0) != 0x80;
    if (starts_char && ++shown >= columns) return line.substr(0, i);
  }
  return line;
}

}  // namespace

TerminalHost::TerminalHost(std::FILE* err, std::FILE* in, bool quiet, DeleteAnswer answer)
    : err_(err), in_(in), quiet_(quiet), live_(!quiet && IsTerminal(err)), answer_(answer) {}

void TerminalHost::CatchInterrupt() {
  struct sigaction old;
  if (sigaction(SIGINT, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
    return;  // a background job
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;  // the second Ctrl-C is not caught
  sigaction(SIGINT, &action, nullptr);
}

void TerminalHost::ShowProgress(const ProgressState& state) {
  if (quiet_) return;
  auto now = std::chrono::steady_clock::now();
  bool new_dir = state.dir_index != announced_dir_;
  if (new_dir) {
    announced_dir_ = state.dir_index;
    dir_start_ = now;
  }
  if (live_)
    DrawBar(state, new_dir || state.value == state.maximum);
  else if (new_dir)
    PlainLine(state);
}

void TerminalHost::PlainLine(const ProgressState& state) {
  long long due = static_cast<long long>(state.maximum - 1);
  std::fprintf(err_, "directory %zu of %zu: %s: %lld thumbnail%s due\n", state.dir_index + 1,
               state.dir_count, ForTerminal(state.dir_label).c_str(), due, due == 1 ? "" : "s");
}

void TerminalHost::DrawBar(const ProgressState& state, bool force) {
  auto now = std::chrono::steady_clock::now();
  if (!force && now - last_draw_ < std::chrono::milliseconds(100)) return;
  last_draw_ = now;
  int64_t done = state.value - 1, due = state.maximum - 1;
  double elapsed = std::chrono::duration<double>(now - dir_start_).count();
  double rate = elapsed > 0 ? done / elapsed : 0;
  std::string left = rate > 0 ? Clock((due - done) / rate) + " left" : "--:-- left";
  constexpr int kWidth = 24;
  int filled = due > 0 ? static_cast<int>(kWidth * done / due) : kWidth;
  std::string bar = std::string(filled, '#') + std::string(kWidth - filled, '.');
  char head[160];
  std::snprintf(head, sizeof head, "[%zu/%zu] %s %lld/%lld  %.1f/s  %s  ", state.dir_index + 1,
                state.dir_count, bar.c_str(), static_cast<long long>(done),
                static_cast<long long>(due), rate, left.c_str());
  std::string line = FitLine(head + ForTerminal(state.file_label), Columns(err_));
  std::fprintf(err_, "\r\033[K%s", line.c_str());
  std::fflush(err_);
  bar_drawn_ = true;
}

void TerminalHost::ClearBar() {
  if (!bar_drawn_) return;
  std::fprintf(err_, "\r\033[K");
  std::fflush(err_);
  bar_drawn_ = false;
}

void TerminalHost::HideProgress() { ClearBar(); }

bool TerminalHost::PollStop() {
  if (!g_interrupt.exchange(false)) return false;
  interrupted_ = true;
  return true;
}

void TerminalHost::SetStatusVisible(bool visible) {
  if (!live_) return;
  ClearBar();
  if (visible) {
    std::fprintf(err_, "writing pages...");
    std::fflush(err_);
    bar_drawn_ = true;
  }
}

bool TerminalHost::ConfirmDelete(const std::string& text) {
  ClearBar();
  std::fputs(ForTerminal(WithLf(text)).c_str(), err_);
  if (answer_ != DeleteAnswer::kAsk) return answer_ == DeleteAnswer::kYes;
  if (!IsTerminal(in_) || !IsTerminal(err_)) {
    std::fputs("kesto-cli: nothing deleted; run again with --yes to delete them\n", err_);
    return false;
  }
  std::fputs("Delete them? [y/N] ", err_);
  std::fflush(err_);
  char line[64] = {};
  if (!std::fgets(line, sizeof line, in_)) {
    if (g_interrupt.exchange(false)) interrupted_ = true;  // Ctrl-C at the question
    std::fputc('\n', err_);
    return false;
  }
  return line[0] == 'y' || line[0] == 'Y';
}

void TerminalHost::ShowReport(const std::string& text) {
  ClearBar();
  std::fputs(ForTerminal(WithLf(text)).c_str(), err_);
  reported_ = true;
}

void TerminalHost::Warn(const std::string& text) {
  ClearBar();
  std::fprintf(err_, "kesto-cli: %s\n", ForTerminal(text).c_str());
  warned_ = true;
}
