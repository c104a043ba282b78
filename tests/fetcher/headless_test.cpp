// The fetcher run without a window, as a real process against the real service.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>

#include "common/code_page.h"
#include "common/working_folder.h"
#include "fetcher/ui/command_line.h"
#include "service/product_catalogue.h"
#include "service/product_server.h"
#include "tests/support/service_process.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using testing::BuiltProgram;
using testing::ProgramResult;
using testing::RunProgram;
using testing::ServiceProcess;
using testing::TempFolder;

class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessTest() {
    folder.write("catalogue.jsonl",
                 R"({"asin": "S", "title": "本 start", "salesrank": 1, "similar": ["A", "B"]})"
                 "\n"
                 R"({"asin": "A", "title": "本 a", "salesrank": 2, "similar": ["C"]})"
                 "\n"
                 R"({"asin": "B", "title": "magazine", "salesrank": 3, "similar": ["D"]})"
                 "\n"
                 R"({"asin": "C", "title": "c", "salesrank": 4, "similar": []})"
                 "\n");
    EXPECT_TRUE(WriteTextLinesAtomic(folder.file("keywords.txt"), {"本"}).ok());
  }

  void settings(const ServiceProcess& service, const std::string& interval = "0") {
    folder.write("setting.ini", "[RequestURL]\r\nPrefix=" + service.prefix() +
                                    "\r\nSuffix=" + service.suffix() +
                                    "\r\n[DefaultSetting]\r\nRequestInterval=" + interval + "\r\n");
  }

  ProgramResult fetch(std::vector<std::string> extra = {}, const std::string& start = "S") {
    std::vector<std::string> args{"--folder", folder.path(), "--start", start};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(BuiltProgram("fetcher/fetcher"), args);
  }

  TempFolder folder;
};

TEST_F(HeadlessTest, CrawlEndsWithZeroAfterTheFinishMessage) {
  const ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl")});
  settings(service);
  const ProgramResult result = fetch();
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("終了"), std::string::npos);
  for (const char* asin : {"S", "A", "B", "C"})
    EXPECT_TRUE(folder.exists(std::string(asin) + ".xml")) << asin;
  EXPECT_FALSE(folder.exists("D.xml"));  // B's title holds no keyword
}

TEST_F(HeadlessTest, TransientFailuresAreRetriedUntilTheCrawlCompletes) {
  const ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl"), "--drop", "0.2",
                                "--empty", "0.2", "--not-found", "0.1", "--invalid", "0.1",
                                "--seed", "3"});
  settings(service);
  const ProgramResult result = fetch({"--retries", "50"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  for (const char* asin : {"S", "A", "B", "C"}) {
    SCOPED_TRACE(asin);
    EXPECT_FALSE(LoadProductRecord(folder.path(), asin).empty());
  }
}

TEST_F(HeadlessTest, GivesUpAfterTheRetriesWithFilesKept) {
  folder.write("StartProductASIN.txt", "OLD\r\n");
  const ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl"), "--drop", "1"});
  settings(service);
  const ProgramResult result = fetch({"--retries", "3"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find(service.url("S") + ": gave up after 3 failed attempts"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(ReadStartProductAsin(folder.path()).value(), "OLD");
  EXPECT_FALSE(folder.exists("S.xml"));
}

TEST_F(HeadlessTest, GivingUpOnInvalidAnswersCountsEveryRequest) {
  const ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl"), "--invalid", "1"});
  settings(service);
  const ProgramResult result = fetch({"--retries", "2"});
  EXPECT_EQ(result.exitCode, 1);
  // Two questions, each after ten invalid answers in a row.
  EXPECT_NE(result.err.find(service.url("S") + ": gave up after 20 failed attempts"),
            std::string::npos)
      << result.err;
}

// The requests after which --retries gives up, as the log says.
std::string GaveUpAfter(const std::string& err) {
  const std::string_view marker = ": gave up after ";
  const std::size_t at = err.find(marker);
  if (at == std::string::npos) return "(did not give up)";
  const std::size_t from = at + marker.size();
  return err.substr(from, err.find(' ', from) - from);
}

// LANG alone names the language while this lives; the variables are put back
// afterwards, since the other tests compare Japanese texts.
class LanguageVariables {
 public:
  LanguageVariables() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = std::getenv(variable);
      saved_.emplace_back(variable, value ? std::optional<std::string>(value) : std::nullopt);
      ::unsetenv(variable);
    }
  }
  ~LanguageVariables() {
    for (const auto& [variable, value] : saved_) {
      if (value)
        ::setenv(variable.c_str(), value->c_str(), 1);
      else
        ::unsetenv(variable.c_str());
    }
  }
  void lang(const char* value) const { ::setenv("LANG", value, 1); }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// The policy counts what happened, never the texts it was shown in, so the
// user's language cannot change it.
TEST_F(HeadlessTest, GivesUpAfterTheSameRequestsInEveryLanguage) {
  struct Row {
    const char* name;
    std::vector<std::string> fault;
    const char* retries;
    const char* requests;
  };
  const Row rows[] = {{"failures", {"--drop", "1"}, "3", "3"},
                      {"invalid answers", {"--invalid", "1"}, "2", "20"}};
  const LanguageVariables languages;
  for (const Row& row : rows) {
    std::vector<std::string> args{"--catalogue", folder.file("catalogue.jsonl")};
    args.insert(args.end(), row.fault.begin(), row.fault.end());
    const ServiceProcess service(args);
    settings(service);
    for (const char* language : {"en_US.UTF-8", "ja_JP.UTF-8", "C"}) {
      SCOPED_TRACE(std::string(row.name) + " under LANG=" + language);
      languages.lang(language);
      const ProgramResult result = fetch({"--retries", row.retries});
      EXPECT_EQ(result.exitCode, 1);
      EXPECT_EQ(GaveUpAfter(result.err), row.requests) << result.err;
    }
  }
}

// Kana, kanji, Japanese punctuation or full-width forms (U+3000 to U+9FFF,
// U+FF00 to U+FFEF) in UTF-8.
bool HasJapanese(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0xE3 && byte <= 0xE9) return true;
    if (byte == 0xEF && i + 1 < text.size() &&
        (static_cast<unsigned char>(text[i + 1]) & 0xFC) == 0xBC)
      return true;
  }
  return false;
}

// Every way a product can fail names its reason in the command line's own
// words: in English the whole output is English, and in any language the
// error the crawl ends with is.
TEST_F(HeadlessTest, FailureReasonsAreWordedByTheCommandLine) {
  struct Row {
    const char* name;
    std::vector<std::string> fault;
    const char* setting;  // added to [DefaultSetting]
    const char* reason;   // what the reason must name ("" for none)
  };
  const Row rows[] = {
      {"answer too large",
       {"--answer-bytes", "5000"},
       "MaxAnswerMegabytes=0.001",
       "MaxAnswerMegabytes"},
      {"answer too slow",
       {"--delay", "1", "--delay-ms", "20000"},
       "AnswerTimeoutSeconds=0.2",
       "AnswerTimeoutSeconds, 0.2 s"},
      {"service busy", {"--busy", "every:1", "--busy-status", "503"}, "", "HTTP 503"},
      {"no answer", {"--drop", "1"}, "", ""},
      {"invalid answers", {"--invalid", "1"}, "", ""},
  };
  const LanguageVariables languages;
  for (const Row& row : rows) {
    std::vector<std::string> args{"--catalogue", folder.file("catalogue.jsonl")};
    args.insert(args.end(), row.fault.begin(), row.fault.end());
    const ServiceProcess service(args);
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=" + service.prefix() + "\r\nSuffix=" + service.suffix() +
                     "\r\n[DefaultSetting]\r\nRequestInterval=0\r\n" + row.setting + "\r\n");
    for (const char* language : {"en_US.UTF-8", "ja_JP.UTF-8"}) {
      SCOPED_TRACE(std::string(row.name) + " under LANG=" + language);
      languages.lang(language);
      const ProgramResult result = fetch({"--retries", "1"});
      EXPECT_EQ(result.exitCode, 1);
      const std::size_t error = result.err.rfind("error: ");
      ASSERT_NE(error, std::string::npos) << result.err;
      const std::string ending = result.err.substr(error);
      EXPECT_NE(ending.find(service.url("S") + ": gave up after"), std::string::npos) << ending;
      EXPECT_NE(ending.find(row.reason), std::string::npos) << ending;
      EXPECT_FALSE(HasJapanese(std::string_view(language).starts_with("en") ? result.err : ending))
          << result.err;
    }
  }
}

// Ctrl-C or SIGTERM while the crawl waits, for a slow answer or between two
// requests, ends it at once: no record of the product it waited for, and no
// further request.
TEST_F(HeadlessTest, SignalsEndATransferAndThePauseBeforeARequest) {
  struct Row {
    const char* name;
    int signal;
    int answerDelayMs;
    const char* interval;
  };
  const Row rows[] = {{"SIGINT during a slow answer", SIGINT, 60'000, "0"},
                      {"SIGTERM between two requests", SIGTERM, 0, "60000"}};
  auto catalogue = service::ProductCatalogue::LoadFile(folder.file("catalogue.jsonl"));
  ASSERT_TRUE(catalogue.ok()) << catalogue.error();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::filesystem::remove(folder.file("S.xml"));
    service::ServerOptions options;
    options.faults.delay = row.answerDelayMs > 0 ? 1 : 0;
    options.faults.delayMs = row.answerDelayMs;
    const service::ProductServer server(catalogue.value(), options);
    folder.write("setting.ini",
                 "[RequestURL]\r\nPrefix=" + server.prefix() + "\r\nSuffix=" + server.suffix() +
                     "\r\n[DefaultSetting]\r\nRequestInterval=" + row.interval + "\r\n");
    testing::ChildProcess fetcher(BuiltProgram("fetcher/fetcher"),
                                  {"--folder", folder.path(), "--start", "S"});
    // Waiting for the answer, or past S and into the pause (a minute at most,
    // so that a fault cannot hang the run).
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (server.productRequests() == 0 || (row.answerDelayMs == 0 && !folder.exists("S.xml"))) {
      if (std::chrono::steady_clock::now() > giveUp) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(fetcher.kill(row.signal), kInterruptedExitCode);
    EXPECT_EQ(server.productRequests(), 1u);
    EXPECT_EQ(folder.exists("S.xml"), row.answerDelayMs == 0);
  }
}

TEST_F(HeadlessTest, UnknownStartProductFailsNamingItAndKeepsTheStartFile) {
  folder.write("StartProductASIN.txt", "S\r\n");
  const ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl")});
  settings(service);
  const ProgramResult result = fetch({}, "B000NOTEXIST");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("\"B000NOTEXIST\" names no product"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("終了"), std::string::npos);
  EXPECT_EQ(folder.read("StartProductASIN.txt"), "S\r\n");
}

TEST_F(HeadlessTest, UnreachableServiceFailsWithTheDefaultRetries) {
  folder.write("setting.ini",
               "[RequestURL]\r\nPrefix=http://127.0.0.1:9/products/\r\n[DefaultSetting]\r\n"
               "RequestInterval=0\r\n");
  const ProgramResult result = fetch();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("gave up after 5"), std::string::npos) << result.err;
}

TEST_F(HeadlessTest, MissingPrefixIsNamedBeforeAnyRequest) {
  folder.write("setting.ini", "[RequestURL]\r\nSuffix=.xml\r\n");
  const ProgramResult result = fetch();
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("error: The setting Prefix in section [RequestURL] of " +
                            folder.file("setting.ini") + " is missing or empty."),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find("gave up"), std::string::npos);
  EXPECT_FALSE(folder.exists("StartProductASIN.txt"));
}

struct BadRunCase {
  const char* name;
  std::vector<std::string> args;
  const char* messagePart;
  int exitCode;  // 2: a command line the fetcher cannot use
  // CTest lists a row by its name.
  friend void PrintTo(const BadRunCase& row, std::ostream* out) { *out << row.name; }
};

class BadRunTest : public HeadlessTest, public ::testing::WithParamInterface<BadRunCase> {};

TEST_P(BadRunTest, ExitsWithItsCodeAndSaysWhy) {
  const BadRunCase& c = GetParam();
  std::filesystem::remove(folder.file("keywords.txt"));
  std::vector<std::string> args;
  for (const std::string& arg : c.args) args.push_back(arg == "DIR" ? folder.path() : arg);
  const ProgramResult result = RunProgram(BuiltProgram("fetcher/fetcher"), args);
  EXPECT_EQ(result.exitCode, c.exitCode);
  EXPECT_NE(result.err.find(c.messagePart), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, BadRunTest,
    ::testing::Values(
        BadRunCase{"MissingKeywords", {"--folder", "DIR", "--start", "S"}, "keywords.txt", 1},
        BadRunCase{"UnsafeStartAsin", {"--folder", "DIR", "--start", "../S"}, "../S", 1},
        BadRunCase{"UnknownOption", {"--verbose"}, "--verbose", 2},
        BadRunCase{"MissingValue", {"--folder"}, "--folder", 2},
        BadRunCase{"NoSuchFolder",
                   {"--folder", "/no/such/folder", "--start", "S"},
                   "The folder /no/such/folder does not exist",
                   1},
        BadRunCase{"FolderIsAFile",
                   {"--folder", "/dev/null", "--start", "S"},
                   "/dev/null is not a folder",
                   1},
        BadRunCase{"RetriesNotANumber", {"--start", "S", "--retries", "many"}, "many", 2},
        BadRunCase{"RetriesWithoutStart", {"--retries", "3"}, "--start", 2},
        BadRunCase{"RetriesZero", {"--start", "S", "--retries=0"}, "--retries", 2},
        BadRunCase{"ResumeWithoutStart", {"--resume"}, "--start", 2},
        BadRunCase{"MaxProductsZero",
                   {"--start", "S", "--max-products", "0"},
                   "--max-products needs a whole number of at least 1, not \"0\"",
                   2},
        BadRunCase{"MaxDepthNegative",
                   {"--start", "S", "--max-depth=-1"},
                   "--max-depth needs a whole number of at least 0",
                   2},
        BadRunCase{"MaxDepthWithoutStart", {"--max-depth", "2"}, "--start", 2}),
    [](const ::testing::TestParamInfo<BadRunCase>& info) { return std::string(info.param.name); });

// Limits on the command line, and the crawl log, against the service on loopback.
TEST_F(HeadlessTest, LimitsEndTheCrawlAndTheLogHasALinePerRequest) {
  const ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl")});
  settings(service);
  const ProgramResult limited = fetch({"--max-products", "2"});
  EXPECT_EQ(limited.exitCode, 0) << limited.err;
  EXPECT_NE(limited.err.find("Ended at the limit of 2 products (--max-products, MaxProducts); 1 "
                             "more were queued."),
            std::string::npos)
      << limited.err;
  EXPECT_TRUE(folder.exists("B.xml"));
  EXPECT_FALSE(folder.exists("A.xml"));

  const ProgramResult shallow = fetch({"--max-depth", "0"});
  EXPECT_NE(shallow.err.find("The depth limit of 0 links (--max-depth, MaxDepth) left 2 similar "
                             "products unrequested."),
            std::string::npos)
      << shallow.err;
  const std::string log = folder.read("crawl-log.jsonl");
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
  EXPECT_NE(log.find(R"("asin":"B","outcome":"answer","status":200)"), std::string::npos) << log;
}

TEST(HeadlessHelp, DescribesEveryOption) {
  const ProgramResult result = RunProgram(BuiltProgram("fetcher/fetcher"), {"--help"});
  EXPECT_EQ(result.exitCode, 0);
  for (const char* option :
       {"--folder", "--start", "--retries", "--resume", "--max-products", "--max-depth", "--help"})
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace quillon::fetcher
