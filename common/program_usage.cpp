#include "common/program_usage.h"

#include <algorithm>
#include <iostream>

namespace quillon {
namespace {

// Text with every line after the first indented by indent.
std::string Indented(std::string_view text, std::string_view indent) {
  std::string out;
  for (const char c : text) {
    out += c;
    if (c == '\n') out += indent;
  }
  return out;
}

}  // namespace

std::string_view ProgramVersion() {
  return QUILLON_VERSION;
}

std::string VersionText(std::string_view program) {
  return std::string(program) + " " + std::string(ProgramVersion()) + "\n";
}

std::string UsageErrorText(std::string_view program, std::string_view message) {
  const std::string name(program);
  return name + ": error: " + std::string(message) + "\nTry '" + name +
         " --help' for more information.\n";
}

int ReportUsageError(std::string_view program, std::string_view message) {
  std::cerr << UsageErrorText(program, message);
  return kUsageErrorExitCode;
}

std::string UnknownOptionError(std::string_view option) {
  return "unknown option " + std::string(option);
}

std::string MissingValueError(std::string_view option) {
  return std::string(option) + " needs a value";
}

std::string UnexpectedValueError(std::string_view option) {
  return std::string(option) + " takes no value";
}

std::string UnexpectedArgumentError(std::string_view argument) {
  return "unexpected argument \"" + std::string(argument) + "\"";
}

std::string HelpText(std::string_view program, const HelpPage& page) {
  const std::string name(program);
  std::string text;
  // One line a form, "or:" before the second and later ones: the layout that man
  // page makers (help2man) read as the synopsis.
  for (std::size_t i = 0; i < page.synopses.size(); ++i) {
    std::string form = page.synopses[i];
    std::replace(form.begin(), form.end(), '\n', ' ');
    text += (i == 0 ? "Usage: " : "  or:  ") + name + " " + form + "\n";
  }
  text += "\n" + page.description + "\n\nOptions:\n";
  std::size_t width = 0;
  for (const HelpOption& option : page.options) width = std::max(width, option.names.size());
  const std::string column(2 + width + 2, ' ');
  for (const HelpOption& option : page.options) {
    text += "  " + option.names + std::string(width + 2 - option.names.size(), ' ') +
            Indented(option.description, column) + "\n";
  }
  if (!page.footer.empty()) text += "\n" + page.footer + "\n";
  return text;
}

}  // namespace quillon
