#include "cli/terminal_host.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <cstring>
#include <tuple>

#include "temp_folder.h"

namespace {

// A pseudo-terminal whose screen holds exactly what the host wrote to `file`.
struct Terminal {
  Terminal() {
    int side;
    openpty(&master, &side, nullptr, nullptr, nullptr);
    termios modes;
    tcgetattr(side, &modes);
    modes.c_oflag &= ~OPOST;
    modes.c_lflag &= ~ECHO;
    tcsetattr(side, TCSANOW, &modes);
    file = fdopen(side, "r+");
  }
  ~Terminal() { std::fclose(file), close(master); }
  std::string Screen() {  // everything written since the last look
    std::string text;
    char buffer[4096];
    for (pollfd p{master, POLLIN, 0}; poll(&p, 1, 20) > 0;) {
      ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      text.append(buffer, static_cast<size_t>(n));
    }
    return text;
  }
  int master;
  std::FILE* file;
};

ProgressState State(size_t dir, int64_t value, int64_t maximum, const std::string& file = "") {
  return {dir, 2, value, maximum, "/pics/" + std::to_string(dir), "", file, ""};
}

// Bytes that are not UTF-8 reach the screen as "\xNN", never raw.
TEST(TerminalHostTest, PlainOutputIsOneLinePerDirectoryAndShowsNamesVisibly) {
  for (bool quiet : {false, true}) {
    std::FILE* err = std::tmpfile();
    TerminalHost host(err, nullptr, quiet, DeleteAnswer::kNo);
    for (const ProgressState& s : {State(0, 1, 4), State(0, 2, 4), State(1, 1, 2), State(1, 2, 2)})
      host.ShowProgress(s);
    host.SetStatusVisible(true);
    host.HideProgress();
    ASSERT_FALSE(host.reported());
    host.Warn("no thumbnail of /p/caf\xE9\x9B.jpg: broken");
    EXPECT_TRUE(host.reported());
    EXPECT_FALSE(host.ConfirmDelete("/p/thumbs/caf\xE9_tn.jpg\r\n"));
    host.ShowReport("Invalid paths:\r\n/p/\xC3\xA9t\xE9\r\n");
    EXPECT_EQ(ReadAll(err), std::string(quiet ? ""
                                              : "directory 1 of 2: /pics/0: 3 thumbnails due\n"
                                                "directory 2 of 2: /pics/1: 1 thumbnail due\n") +
                                "kesto-cli: no thumbnail of /p/caf\\xE9\\x9B.jpg: broken\n"
                                "/p/thumbs/caf\\xE9_tn.jpg\n"
                                "Invalid paths:\n/p/\xC3\xA9t\\xE9\n");
    std::fclose(err);
  }
}

TEST(TerminalHostTest, TheDeleteQuestionIsAnsweredOnlyByYes) {
  const std::string list = "/p/a_tn.jpg\n", prompt = list + "Delete them? [y/N] ";
  // The answer given beforehand, whether on a terminal, typed, confirmed, shown.
  const std::tuple<DeleteAnswer, bool, const char*, bool, std::string> cases[] = {
      {DeleteAnswer::kYes, true, "", true, list},
      {DeleteAnswer::kNo, true, "y\n", false, list},
      {DeleteAnswer::kAsk, true, "y\n", true, prompt},
      {DeleteAnswer::kAsk, true, "n\n", false, prompt},
      {DeleteAnswer::kAsk, true, "\x04", false, prompt + "\n"},  // end of input
      {DeleteAnswer::kAsk, false, "y\n", false,
       list + "kesto-cli: nothing deleted; run again with --yes to delete them\n"}};
  for (const auto& [answer, on_terminal, typed, confirmed, shown] : cases) {
    Terminal terminal;
    ASSERT_EQ(write(terminal.master, typed, strlen(typed)), ssize_t(strlen(typed)));
    std::FILE* not_a_terminal = std::tmpfile();
    TerminalHost host(on_terminal ? terminal.file : not_a_terminal, terminal.file, false, answer);
    EXPECT_EQ(host.ConfirmDelete("/p/a_tn.jpg\r\n"), confirmed) << typed;
    EXPECT_EQ(on_terminal ? terminal.Screen() : ReadAll(not_a_terminal), shown) << typed;
    std::fclose(not_a_terminal);
  }
}

}  // namespace
