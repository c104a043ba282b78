#include "fetcher/ui/command_line.h"

#include <unistd.h>

#include <iostream>
#include <utility>

#include "common/numbers.h"
#include "common/program_folder.h"
#include "common/program_usage.h"
#include "common/terminal_host.h"
#include "common/ui/program_options.h"
#include "fetcher/crawl.h"
#include "fetcher/pacing_clock.h"

namespace quillon::fetcher {
namespace {

// The terminal as the crawl's host: the request texts only on a terminal, every
// go-on question answered with "go on" (the policy below decides first).
class HeadlessHost : public Host {
 public:
  HeadlessHost(TerminalHost& terminal, TextTranslator translate)
      : terminal_(terminal), showRequests_(::isatty(STDERR_FILENO) == 1) {
    terminal_.setAnswerer([](std::string_view) { return true; });
    setTranslator(std::move(translate));
  }

  void setLabel(Label label, std::string_view text) override {
    // Two request texts per product would flood a log; the count alone is enough there.
    if (label == Label::Status && !showRequests_) return;
    terminal_.setLabel(label, text);
  }
  void processEvents() override {
    terminal_.processEvents();
    if (terminal_.QuitRequested) QuitRequested = true;
  }
  bool askYesNo(std::string_view text) override { return terminal_.askYesNo(text); }
  void showMessage(std::string_view text) override {
    terminal_.finish();
    terminal_.showMessage(text);
  }
  void showError(std::string_view text) override { terminal_.showError(text); }
  void setProgressLine(std::string_view text) override { terminal_.setProgressLine(text); }

 private:
  TerminalHost& terminal_;
  bool showRequests_;
};

// --retries: goes on until that many decisions in a row are about one product,
// then gives up naming the requests it took and why, in the command line's own
// words. One decision can stand for several requests (the retries of
// RetryCount, a run of invalid answers).
class GiveUpAfter : public GoOnPolicy {
 public:
  GiveUpAfter(Host& host, int retries, Host::TextTranslator ownWords)
      : host_(host), ask_(host), retries_(retries), ownWords_(std::move(ownWords)) {}

  GoOn decide(const RequestOutcome& last, const ProductTries& tries) override {
    if (tries.decisions >= retries_) {
      std::string subject;
      if (last.kind == OutcomeKind::Failure) {
        // The question's first line, worded as the command line's other messages.
        subject = FailureReason(last.result, ownWords_);
        if (!subject.empty()) subject += '\n';
      }
      subject += last.url;
      host_.showError(subject + ": gave up after " + std::to_string(tries.requests) +
                      " failed attempts in a row.");
      throw EndProgram{1};
    }
    return ask_.decide(last, tries);
  }

 private:
  Host& host_;
  AskUser ask_;
  int retries_;
  Host::TextTranslator ownWords_;
};

Expected<int> parseCount(std::string_view option, std::string_view text, int least) {
  const std::optional<int> value = WholeNumber<int>(text);
  if (!value || *value < least)
    return Failure{"--" + std::string(option) + " needs a whole number of at least " +
                   std::to_string(least) + ", not \"" + std::string(text) + "\""};
  return *value;
}

// The fetcher's own options, in the order --help lists them.
QList<QCommandLineOption> FetcherOptions() {
  return {
      {"folder",
       "use DIR as the program folder (setting.ini, keywords.txt);\n" +
           QString(kDefaultProgramFolderHelp),
       "DIR"},
      {"start",
       "crawl from ASIN without a window, progress on stderr;\n"
       "without it the window opens",
       "ASIN"},
      {"retries",
       "without a window, give up after N failed retrievals in a row\n"
       "of one product (default 5; ten invalid answers in a row count\n"
       "as one); each retry waits the interval",
       "N"},
      {"resume",
       "without a window, take each product whose record file is\n"
       "there and valid from that file instead of asking again\n"
       "(the window does so when ReuseStoredRecords is True)"},
      {"max-products",
       "without a window, request at most the first N products of\n"
       "the crawl's order (in place of the setting MaxProducts)",
       "N"},
      {"max-depth",
       "without a window, follow similar products at most D links\n"
       "from the start product; 0: the start product alone\n"
       "(in place of the setting MaxDepth)",
       "D"},
  };
}

}  // namespace

Expected<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  ProgramOptions parser(FetcherOptions());
  if (const Status read = parser.read(arguments); !read) return Failure{read.error()};
  if (const QStringList stray = parser.positional(); !stray.isEmpty())
    return Failure{UnexpectedArgumentError(stray.front().toStdString())};
  CommandLine line;
  line.help = parser.helpAsked();
  line.version = parser.versionAsked();
  if (line.help || line.version) return line;
  if (parser.isSet("folder")) line.folder = parser.value("folder");
  if (parser.isSet("start")) line.start = parser.value("start");
  if (parser.isSet("retries")) {
    Expected<int> retries = parseCount("retries", parser.value("retries"), 1);
    if (!retries) return Failure{retries.error()};
    line.retries = retries.value();
  }
  if (parser.isSet("max-products")) {
    Expected<int> count = parseCount("max-products", parser.value("max-products"), 1);
    if (!count) return Failure{count.error()};
    line.limits.maxProducts = count.value();
  }
  if (parser.isSet("max-depth")) {
    Expected<int> depth = parseCount("max-depth", parser.value("max-depth"), 0);
    if (!depth) return Failure{depth.error()};
    line.limits.maxDepth = depth.value();
  }
  line.resume = parser.isSet("resume");
  for (const char* option : {"retries", "resume", "max-products", "max-depth"})
    if (parser.isSet(option) && !line.start)
      return Failure{"--" + std::string(option) +
                     " applies only to a crawl without a window (--start)"};
  return line;
}

std::string HelpText() {
  HelpPage page;
  page.synopses = {
      "[--folder DIR] [--start ASIN [--retries N] [--resume] [--max-products N]\n"
      "        [--max-depth D]]"};
  page.description =
      "Crawls the similar products of a start product from the product web service\n"
      "and stores each answer as a record file for the grapher.";
  page.options = ProgramOptions(FetcherOptions()).helpOptions();
  page.footer =
      "Exit status: 0 when the crawl has finished, 1 on an error, 2 a command line\n"
      "it cannot use, 130 when interrupted.";
  return quillon::HelpText(kProgram, page);
}

CrawlLimits LimitOptions::over(CrawlLimits limits) const {
  if (maxProducts) limits.maxProducts = *maxProducts;
  if (maxDepth) limits.maxDepth = *maxDepth;
  return limits;
}

std::string CommandLineCrawlEnd(const CrawlEnd& end) {
  std::string text;
  switch (end.ending) {
    case CrawlEnding::Stopped:
      text = "Stopped with " + std::to_string(end.left) + " products still queued.";
      break;
    case CrawlEnding::ProductLimit:
      text = "Ended at the limit of " + std::to_string(end.limits.maxProducts) +
             " products (--max-products, MaxProducts); " + std::to_string(end.left) +
             " more were queued.";
      break;
    case CrawlEnding::DepthLimit:
      text = "The depth limit of " + std::to_string(end.limits.maxDepth) +
             " links (--max-depth, MaxDepth) left " + std::to_string(end.left) +
             " similar products unrequested.";
      break;
    case CrawlEnding::Finished:
      break;
  }
  if (!end.givenUp.empty()) {
    if (!text.empty()) text += ' ';
    text += "Gave up on " + std::to_string(end.givenUp.size()) +
            " products, which have no record: " + GivenUpList(end.givenUp) + ".";
  }
  return text;
}

int RunHeadlessCrawl(const std::string& folder, const std::string& start, int retries,
                     const HttpGetter& get, bool resume, Host::TextTranslator translate,
                     Host::TextTranslator ownWords, const LimitOptions& limits) {
  TerminalHost terminal = TerminalHost::forStderr();
  HeadlessHost host(terminal, std::move(translate));
  PacingClock clock;
  ProductRequester requester(folder, host, clock, get);
  GiveUpAfter giveUp(host, retries, std::move(ownWords));
  try {
    CrawlPlace place{host, clock, folder, ReadFetcherSettings(folder), &giveUp};
    // The window's setting is not consulted: a plain run from the command line asks for everything.
    place.settings.storedRecords.reuse = resume;
    place.settings.limits = limits.over(place.settings.limits);
    // Told on a line of its own after the summary, in the command line's words.
    place.endInSummary = false;
    const Expected<CrawlEnd> crawled = CrawlSimilarProducts(place, requester, start);
    if (!crawled) {
      host.showError(crawled.error());
      return 1;
    }
    if (const std::string end = CommandLineCrawlEnd(crawled.value()); !end.empty())
      host.showMessage(end);
    return 0;
  } catch (const EndProgram& end) {
    if (end.exitCode != 0) return end.exitCode;
    host.showError("Interrupted; the record files written so far are kept.");
    return kInterruptedExitCode;
  } catch (const std::exception& failure) {
    host.showError(failure.what());
    return 1;
  }
}

}  // namespace quillon::fetcher
