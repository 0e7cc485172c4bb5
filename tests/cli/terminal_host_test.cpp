#include "cli/terminal_host.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Written(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

// Bytes that are not UTF-8 reach the terminal as "\xNN", never raw; line
// ends of the report become the terminal's own.
TEST(TerminalHostTest, NamesReachTheTerminalVisibly) {
  std::FILE* err = std::tmpfile();
  TerminalHost host(err, nullptr, /*quiet=*/true, DeleteAnswer::kNo);
  host.Warn("no thumbnail of /p/caf\xE9\x9B.jpg: broken");
  EXPECT_FALSE(host.ConfirmDelete("/p/thumbs/caf\xE9_tn.jpg\r\n"));
  host.ShowReport("Invalid paths:\r\n/p/\xC3\xA9t\xE9\r\n");
  EXPECT_EQ(Written(err),
            "kesto-cli: no thumbnail of /p/caf\\xE9\\x9B.jpg: broken\n"
            "/p/thumbs/caf\\xE9_tn.jpg\n"
            "Invalid paths:\n/p/\xC3\xA9t\\xE9\n");
  EXPECT_TRUE(host.reported());
  std::fclose(err);
}

}  // namespace
