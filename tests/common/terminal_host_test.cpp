#include "common/terminal_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace quillon {
namespace {

TEST(TerminalHost, LogGetsEachPhaseOnceAndTheFinalCounter) {
  std::ostringstream out;
  TerminalHost host(out, false);
  host.setLabel(Label::Status, "load");
  for (int i = 1; i <= 1000; ++i) host.setLabel(Label::Status2, std::to_string(i) + "/1000");
  host.setLabel(Label::Status, "done");
  host.finish();
  const std::string log = out.str();
  EXPECT_EQ(log.find("load\n"), 0u);
  EXPECT_NE(log.find("done\n"), std::string::npos);
  EXPECT_NE(log.find("  1000/1000\n"), std::string::npos);
  EXPECT_LT(std::count(log.begin(), log.end(), '\n'), 10);  // not one line per counter
}

TEST(TerminalHost, TerminalRedrawsOneLineAndEndsItWithTheFinalText) {
  std::ostringstream out;
  TerminalHost host(out, true);
  host.setLabel(Label::Status, "load");
  for (int i = 1; i <= 1000; ++i) host.setLabel(Label::Status2, std::to_string(i) + "/1000");
  host.finish();
  const std::string screen = out.str();
  EXPECT_NE(screen.find("\rload  1000/1000\x1b[K\n"), std::string::npos);
  EXPECT_EQ(std::count(screen.begin(), screen.end(), '\n'), 1);
}

TEST(TerminalHost, TheLastProgressLineEndsTheOutputOnALineOfItsOwn) {
  for (const bool terminal : {false, true}) {
    SCOPED_TRACE(terminal ? "terminal" : "log");
    std::ostringstream out;
    TerminalHost host(out, terminal);
    host.setLabel(Label::Status, "load");
    host.setLabel(Label::Status2, "1/2");
    host.setProgressLine("rate");
    host.setProgressLine("summary");
    host.finish();
    const std::string text = out.str();
    EXPECT_TRUE(text.ends_with("1/2\x1b[K\nsummary\n") || text.ends_with("  1/2\nsummary\n"))
        << text;
  }
}

TEST(TerminalHost, QuestionsGoToTheAnswererAndDefaultToNo) {
  std::ostringstream out;
  TerminalHost host(out, false);
  EXPECT_FALSE(host.askYesNo("go on?"));
  host.setAnswerer([](std::string_view question) { return question == "go on?"; });
  EXPECT_TRUE(host.askYesNo("go on?"));
  host.showError("broken");
  EXPECT_NE(out.str().find("error: broken\n"), std::string::npos);
}

}  // namespace
}  // namespace quillon
