// The product-service program as scripts and other tests use it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/code_page.h"
#include "tests/service/http_probe.h"
#include "tests/support/service_process.h"
#include "tests/support/temp_folder.h"

namespace quillon::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

std::string program() {
  return BuiltProgram("service/product-service");
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ServiceExecutable : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.write(
        "catalogue.jsonl",
        R"({"asin": "B000000001", "title": "猫 & Cat", "salesrank": 5, "similar": ["B000000002"]})"
        "\n"
        R"({"asin": "B000000002", "title": "犬", "salesrank": 9, "similar": []})"
        "\n");
  }
  TempFolder folder;
};

TEST_F(ServiceExecutable, AnnouncesLoopbackPrefixAndAnswersProducts) {
  ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl")});
  EXPECT_THAT(service.prefix(), MatchesRegex("http://127\\.0\\.0\\.1:[0-9]+/products/"));
  EXPECT_EQ(service.suffix(), ".xml");
  ASSERT_GT(service.port(), 0);

  const RawAnswer answer = RawGet(service.port(), "/products/B000000001.xml");
  EXPECT_EQ(answer.status(), 200);
  EXPECT_THAT(answer.body(), HasSubstr("<Title>猫 &amp; Cat</Title>"));
  EXPECT_THAT(answer.body(), HasSubstr("<SimilarProduct><ASIN>B000000002</ASIN><Title>犬</Title>"));
  EXPECT_EQ(service.stop(), 0);
}

TEST_F(ServiceExecutable, EndsCleanlyOnInterrupt) {
  ServiceProcess service({"--catalogue", folder.file("catalogue.jsonl")});
  ASSERT_EQ(kill(service.pid(), SIGINT), 0);
  EXPECT_EQ(service.stop(), 0);
}

TEST_F(ServiceExecutable, LogsEachRequestOnOneFlushedLine) {
  ServiceProcess service(
      {"--catalogue", folder.file("catalogue.jsonl"), "--log", folder.file("requests.log")});
  RawGet(service.port(), "/products/B000000001.xml", "Velkarion/1.00 (QuillonGetTest/1.00)");
  RawGet(service.port(), "/products/UNKNOWN.xml", "second\tagent");

  // Read while the service still runs: every line must already be on disk.
  const auto lines = splitLines(folder.read("requests.log"));
  ASSERT_EQ(lines.size(), 2u);
  long long previousFinish = 0;
  const std::pair<std::string, std::string> expected[] = {
      {"/products/B000000001.xml", "Velkarion/1.00 (QuillonGetTest/1.00)"},
      {"/products/UNKNOWN.xml", "second?agent"},
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    long long arrived = 0;
    long long finished = 0;
    char rest[512] = {};
    ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lld\t%lld\t%511[^\n]", &arrived, &finished, rest), 3)
        << lines[i];
    EXPECT_LE(arrived, finished);
    EXPECT_GE(arrived, previousFinish);
    previousFinish = finished;
    EXPECT_EQ(std::string(rest), expected[i].first + "\t" + expected[i].second);
  }
}

TEST_F(ServiceExecutable, SameSeedGivesTheSameFaultsInAnotherRun) {
  const std::vector<std::string> args = {"--catalogue", folder.file("catalogue.jsonl"),
                                         "--seed",      "42",
                                         "--drop",      "0.25",
                                         "--not-found", "0.25",
                                         "--invalid",   "0.25"};
  auto outcomes = [&] {
    ServiceProcess service(args);
    std::string seen;
    for (int i = 0; i < 24; ++i) {
      const RawAnswer answer = RawGet(service.port(), "/products/B000000001.xml");
      if (answer.bytes.empty()) {
        seen += 'D';
      } else if (answer.status() == 404) {
        seen += 'N';
      } else if (answer.body().find("<IsValid>False") != std::string::npos) {
        seen += 'I';
      } else {
        seen += 'V';
      }
    }
    return seen;
  };
  const std::string first = outcomes();
  EXPECT_EQ(outcomes(), first);
  for (const char kind : {'D', 'N', 'I', 'V'}) {
    EXPECT_NE(first.find(kind), std::string::npos) << kind << " never seen in " << first;
  }
}

TEST_F(ServiceExecutable, RefusesBadInputWithAClearMessage) {
  folder.write("broken.jsonl",
               "{\"asin\": \"A\", \"title\": \"ok\"}\n\n{\"asin\": \"B\", \"title\": }\n");
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string message;
    int exitCode;  // 2: a command line the service cannot use
  };
  const Case cases[] = {
      {"malformed line",
       {"--catalogue", folder.file("broken.jsonl")},
       folder.file("broken.jsonl") + ":3: ",
       1},
      {"missing file",
       {"--catalogue", folder.file("absent.jsonl")},
       "cannot open catalogue file " + folder.file("absent.jsonl"),
       1},
      {"no catalogue", {"--port", "0"}, "--catalogue FILE is required", 2},
      {"share above one",
       {"--catalogue", folder.file("catalogue.jsonl"), "--drop", "1.5"},
       "invalid value \"1.5\" for --drop",
       2},
      {"shares adding up past one",
       {"--catalogue", folder.file("catalogue.jsonl"), "--drop", "0.6", "--empty", "0.6"},
       "add up to more than 1",
       2},
      {"delay without its length",
       {"--catalogue", folder.file("catalogue.jsonl"), "--delay", "0.5"},
       "--delay needs --delay-ms N",
       2},
      {"busy every zeroth",
       {"--catalogue", folder.file("catalogue.jsonl"), "--busy", "every:0"},
       "invalid value \"every:0\" for --busy",
       2},
      {"busy status not busy",
       {"--catalogue", folder.file("catalogue.jsonl"), "--busy", "1", "--busy-status", "500"},
       "invalid value \"500\" for --busy-status",
       2},
      {"retry-after without busy",
       {"--catalogue", folder.file("catalogue.jsonl"), "--retry-after", "5"},
       "--retry-after goes with --busy",
       2},
      {"unknown option",
       {"--catalogue", folder.file("catalogue.jsonl"), "--colour"},
       "product-service: error: unknown option --colour",
       2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramResult result = RunProgram(program(), c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(ServiceExecutable, LauncherReportsAServiceThatCannotStart) {
  try {
    ServiceProcess service({"--catalogue", folder.file("absent.jsonl")});
    FAIL() << "the service started without a catalogue";
  } catch (const std::runtime_error& e) {
    EXPECT_THAT(e.what(), HasSubstr("cannot open catalogue file"));
  }
}

TEST_F(ServiceExecutable, GeneratesTheSameFilesForTheSameSeed) {
  const auto generate = [&](const std::string& seed, const std::string& name) {
    return RunProgram(program(),
                      {"--generate", "300", "--seed", seed, "--out", folder.file(name + ".jsonl"),
                       "--keywords-out", folder.file(name + ".txt")});
  };
  ASSERT_EQ(generate("5", "a").exitCode, 0);
  ASSERT_EQ(generate("5", "b").exitCode, 0);
  ASSERT_EQ(generate("6", "c").exitCode, 0);
  EXPECT_EQ(folder.read("a.jsonl"), folder.read("b.jsonl"));
  EXPECT_NE(folder.read("a.jsonl"), folder.read("c.jsonl"));
  EXPECT_EQ(splitLines(folder.read("a.jsonl")).size(), 300u);

  // The keywords file is in the Windows-31J code page, CR LF after each line.
  const std::string keywords = folder.read("a.txt");
  EXPECT_THAT(keywords, StartsWith(Utf8ToCodePage("ねこ") + "\r\n"));
  EXPECT_EQ(SplitLines(keywords).front(), Utf8ToCodePage("ねこ"));

  // A generated catalogue is servable as it is.
  ServiceProcess service({"--catalogue", folder.file("a.jsonl")});
  const auto first = splitLines(folder.read("a.jsonl")).front();
  const auto asin = first.substr(first.find("\"asin\":\"") + 8, 10);
  EXPECT_THAT(RawGet(service.port(), "/products/" + asin + ".xml").body(),
              HasSubstr("<IsValid>True</IsValid></Request><Item><ASIN>" + asin + "</ASIN>"));
}

}  // namespace
}  // namespace quillon::testing
