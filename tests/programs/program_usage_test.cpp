// --version, --help and usage errors read alike in the three programs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/service_process.h"

namespace quillon::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct ProgramCase {
  const char* name;
  const char* path;         // in the build folder
  const char* program;      // as it names itself
  const char* valueOption;  // one of its options that needs a value
  friend void PrintTo(const ProgramCase& row, std::ostream* out) { *out << row.name; }
};

class ProgramUsageTest : public ::testing::TestWithParam<ProgramCase> {
 protected:
  ProgramResult run(std::vector<std::string> args) {
    return RunProgram(BuiltProgram(GetParam().path), args);
  }
};

TEST_P(ProgramUsageTest, VersionIsTheProjectVersion) {
  const ProgramResult result = run({"--version"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, std::string(GetParam().program) + " " + PROJECT_VERSION + "\n");
}

TEST_P(ProgramUsageTest, HelpListsTheCommonOptions) {
  const ProgramResult result = run({"--help"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_THAT(result.out, StartsWith("Usage: " + std::string(GetParam().program) + " "));
  EXPECT_THAT(result.out, HasSubstr("\n  -h, --help "));
  EXPECT_THAT(result.out, HasSubstr("\n  --version "));
}

TEST_P(ProgramUsageTest, UsageErrorsExitWithTwoAndTheCommonWording) {
  const std::string valueOption = GetParam().valueOption;
  const struct {
    std::vector<std::string> args;
    std::string message;
  } errors[] = {
      {{"--no-such-option"}, "unknown option --no-such-option"},
      {{valueOption}, valueOption + " needs a value"},
      {{"--version=1"}, "--version takes no value"},
      {{"stray"}, "unexpected argument \"stray\""},
  };
  for (const auto& error : errors) {
    SCOPED_TRACE(error.message);
    const ProgramResult result = run(error.args);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    const std::string program = GetParam().program;
    EXPECT_THAT(result.err, StartsWith(program + ": error: " + error.message));
    EXPECT_THAT(result.err, EndsWith("\nTry '" + program + " --help' for more information.\n"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramUsageTest,
    ::testing::Values(ProgramCase{"Grapher", "grapher/grapher", "grapher", "--json"},
                      ProgramCase{"Fetcher", "fetcher/fetcher", "fetcher", "--start"},
                      ProgramCase{"Service", "service/product-service", "product-service",
                                  "--port"}),
    [](const ::testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon::testing
