// The fetcher's command line: which folder to use, and a crawl without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/expected.h"
#include "fetcher/crawl.h"
#include "fetcher/fetcher_settings.h"
#include "fetcher/http_retrieval.h"

namespace quillon::fetcher {

// --max-products and --max-depth, which take the place of MaxProducts and MaxDepth.
struct LimitOptions {
  std::optional<std::int64_t> maxProducts;
  std::optional<int> maxDepth;  // 0: the start product alone

  // The settings' limits with these in their place.
  CrawlLimits over(CrawlLimits limits) const;
};

struct CommandLine {
  std::optional<std::string> folder;  // the program folder; default: DefaultProgramFolder
  std::optional<std::string> start;   // a start ASIN asks for a crawl without a window
  int retries = 5;                    // failed retrievals in a row before giving up
  bool resume = false;                // take valid stored records instead of asking again
  LimitOptions limits;
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
// The limits override the settings'; how a limit ended the crawl and the
// products given up on are told in the command line's own English.
int RunHeadlessCrawl(const std::string& folder, const std::string& start, int retries,
                     const HttpGetter& get, bool resume = false,
                     Host::TextTranslator translate = {}, Host::TextTranslator ownWords = {},
                     const LimitOptions& limits = {});

// The command line's words for how a crawl ended; "" when it simply finished.
std::string CommandLineCrawlEnd(const CrawlEnd& end);

}  // namespace quillon::fetcher
