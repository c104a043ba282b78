// The fetcher's command line: which folder to use, and a crawl without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/expected.h"
#include "fetcher/http_retrieval.h"

namespace quillon::fetcher {

struct CommandLine {
  std::optional<std::string> folder;  // the program folder; default: DefaultProgramFolder
  std::optional<std::string> start;   // a start ASIN asks for a crawl without a window
  int retries = 5;                    // failed retrievals in a row before giving up
  bool resume = false;                // take valid stored records instead of asking again
  bool help = false;
  bool version = false;
};

inline constexpr std::string_view kProgram = "fetcher";

// Parses the arguments after the program name.
Expected<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string HelpText();

// Exit code of a crawl ended by an interrupt (Ctrl-C, SIGTERM).
inline constexpr int kInterruptedExitCode = 130;

// Runs one crawl in folder from start with progress on stderr; returns the exit
// code: 0 after "終了", 1 after an error, kInterruptedExitCode when interrupted.
// With resume, products whose valid record is stored are taken from it. The
// progress and the questions answered on the way are shown through translate,
// in the user's language; the command line's own messages are English, and
// ownWords words the fixed texts they carry (English too, whatever the locale).
int RunHeadlessCrawl(const std::string& folder, const std::string& start, int retries,
                     const HttpGetter& get, bool resume = false,
                     Host::TextTranslator translate = {}, Host::TextTranslator ownWords = {});

}  // namespace quillon::fetcher
