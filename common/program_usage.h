// What every program says about its command line, worded once: the --help
// page, the --version line and the usage errors.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Exit code of a command line that the program cannot use.
inline constexpr int kUsageErrorExitCode = 2;

// The version of the programs: the build's project version.
std::string_view ProgramVersion();

// What --version prints: "PROGRAM VERSION".
std::string VersionText(std::string_view program);

// What a usage error prints on stderr: "PROGRAM: error: MESSAGE" and a hint to try --help.
std::string UsageErrorText(std::string_view program, std::string_view message);
// Prints UsageErrorText on stderr; returns kUsageErrorExitCode.
int ReportUsageError(std::string_view program, std::string_view message);

// The usage errors that any program's parser can meet.
std::string UnknownOptionError(std::string_view option);
std::string MissingValueError(std::string_view option);
std::string UnexpectedValueError(std::string_view option);
std::string UnexpectedArgumentError(std::string_view argument);

// The names and descriptions of the options every program has.
inline constexpr std::string_view kHelpOptionDescription = "show this text and exit";
inline constexpr std::string_view kVersionOptionDescription = "show the version and exit";

// One row of the option table of --help.
struct HelpOption {
  std::string names;        // as typed, with the value's name: "-h, --help", "--folder DIR"
  std::string description;  // lines separated by '\n'
};

struct HelpPage {
  std::vector<std::string> synopses;  // each after the program's name, one line each
  std::string description;
  std::vector<HelpOption> options;
  std::string footer;  // may be empty
};

// The whole --help text: usage, description, the option table, the footer.
std::string HelpText(std::string_view program, const HelpPage& page);

}  // namespace quillon
