#include "common/ui/program_options.h"

namespace quillon {
namespace {

QString Dashed(const QString& name) {
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

}  // namespace

ProgramOptions::ProgramOptions(const QList<QCommandLineOption>& options) : options_(options) {
  options_ << QCommandLineOption(
                  {QStringLiteral("h"), QStringLiteral("help")},
                  QString::fromUtf8(kHelpOptionDescription.data(), kHelpOptionDescription.size()))
           << QCommandLineOption(QStringLiteral("version"),
                                 QString::fromUtf8(kVersionOptionDescription.data(),
                                                   kVersionOptionDescription.size()));
  parser_.addOptions(options_);
}

Status ProgramOptions::read(const std::vector<std::string>& arguments) {
  QStringList list{QStringLiteral("program")};
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  if (parser_.parse(list)) return Success();
  if (const QStringList unknown = parser_.unknownOptionNames(); !unknown.isEmpty())
    return Failure{UnknownOptionError(Dashed(unknown.front()).toStdString())};
  // The parser's other complaints quote the option: a value is missing after one
  // that takes a value, or was given to one that takes none.
  const QString text = parser_.errorText();
  const qsizetype open = text.indexOf(QLatin1Char('\''));
  const qsizetype close = text.lastIndexOf(QLatin1Char('\''));
  if (open >= 0 && close > open) {
    const QString argument = text.mid(open + 1, close - open - 1);
    qsizetype dashes = 0;
    while (dashes < argument.size() && dashes < 2 && argument[dashes] == QLatin1Char('-')) ++dashes;
    if (const QCommandLineOption* option = find(argument.mid(dashes))) {
      return Failure{option->valueName().isEmpty() ? UnexpectedValueError(argument.toStdString())
                                                   : MissingValueError(argument.toStdString())};
    }
  }
  return Failure{text.toStdString()};
}

std::string ProgramOptions::value(const char* name) const {
  return parser_.value(QLatin1String(name)).toStdString();
}

std::vector<std::string> ProgramOptions::values(const char* name) const {
  std::vector<std::string> out;
  for (const QString& value : parser_.values(QLatin1String(name)))
    out.push_back(value.toStdString());
  return out;
}

std::vector<HelpOption> ProgramOptions::helpOptions() const {
  std::vector<HelpOption> rows;
  for (const QCommandLineOption& option : options_) {
    QStringList names;
    for (const QString& name : option.names()) names << Dashed(name);
    QString shown = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty()) shown += QLatin1Char(' ') + option.valueName();
    rows.push_back({shown.toStdString(), option.description().toStdString()});
  }
  return rows;
}

const QCommandLineOption* ProgramOptions::find(const QString& name) const {
  for (const QCommandLineOption& option : options_)
    if (option.names().contains(name)) return &option;
  return nullptr;
}

}  // namespace quillon
