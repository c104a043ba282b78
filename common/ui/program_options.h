// The command line of a Qt program, read with QCommandLineParser before any
// application object exists, and worded as in every other program.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <string>
#include <vector>

#include "common/expected.h"
#include "common/program_usage.h"

namespace quillon {

class ProgramOptions {
 public:
  // The program's own options; -h/--help and --version follow them.
  explicit ProgramOptions(const QList<QCommandLineOption>& options);

  // Reads the arguments after the program's name. Unknown options, a missing
  // value and a value given to an option that takes none are usage errors;
  // arguments that are no options are left to positional().
  Status read(const std::vector<std::string>& arguments);

  bool helpAsked() const { return isSet("help"); }
  bool versionAsked() const { return isSet("version"); }
  bool isSet(const char* name) const { return parser_.isSet(QLatin1String(name)); }
  // The option's last value as UTF-8 (empty when it is not set).
  std::string value(const char* name) const;
  // Every value of an option that may be given more than once, in order.
  std::vector<std::string> values(const char* name) const;
  QStringList positional() const { return parser_.positionalArguments(); }

  // The rows of the option table of --help, in the order of the options.
  std::vector<HelpOption> helpOptions() const;

 private:
  const QCommandLineOption* find(const QString& name) const;

  QList<QCommandLineOption> options_;
  QCommandLineParser parser_;
};

}  // namespace quillon
