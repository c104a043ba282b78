#include "service/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "common/numbers.h"
#include "common/program_usage.h"

namespace quillon::service {

namespace {

struct ValueOption {
  const char* name;
  const char* valueName;
  const char* description;
};

// The options that take a value, in the order --help lists them.
constexpr ValueOption kValueOptions[] = {
    {"--catalogue", "FILE", "the catalogue: JSON Lines, one product a line"},
    {"--port", "N", "the port on 127.0.0.1 (default 0: a free one)"},
    {"--seed", "S", "fixes the faults, or with --generate the catalogue"},
    {"--log", "FILE",
     "write a line for every request: arrival and end in\nmilliseconds, path, user agent"},
    {"--drop", "P", "share of requests whose connection closes unanswered"},
    {"--empty", "P", "share of requests answered 200 with an empty body"},
    {"--not-found", "P", "share of requests answered 404"},
    {"--invalid", "P", "share of requests answered with IsValid False"},
    {"--truncate", "P", "share of requests whose body breaks off part way"},
    {"--delay", "P", "share of requests answered late, besides any fault"},
    {"--delay-ms", "N", "how late a delayed answer comes, in milliseconds"},
    {"--busy", "N|every:K",
     "answer the first N product requests busy, or with every:K\n"
     "every K-th one (both: N,every:K)"},
    {"--busy-status", "429|503", "the status of a busy answer (default 429)"},
    {"--retry-after", "S|date:S",
     "busy answers carry Retry-After: S seconds, or the HTTP\n"
     "date S seconds ahead; without it none"},
    {"--generate", "N", "write a synthetic catalogue of N products"},
    {"--out", "FILE", "the catalogue file that --generate writes"},
    {"--keywords-out", "FILE", "a keywords.txt for the generated catalogue"},
    {"--shape", "tree|chain|groups",
     "tree: about five similar products each (default);\n"
     "chain: each product lists the next one only;\n"
     "groups: groups on one subject, a few bridges and best\n"
     "sellers, each product's group in the file"},
    {"--write-records", "FOLDER", "store every product's answer in FOLDER"},
    {"--answer-bytes", "N|endless",
     "pad every product answer with blanks to N bytes,\n"
     "or send answers that never end"},
};

// Every value lands in slots under its option's name; -h/--help and --version come last.
void DefineOptions(CLI::App& app, std::map<std::string, std::string>& slots) {
  app.set_help_flag();
  app.allow_extras();
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  for (const ValueOption& option : kValueOptions)
    app.add_option(option.name, slots[option.name], option.description)
        ->type_name(option.valueName);
  app.add_flag("--chunked")
      ->description("send product answers without Content-Length")
      ->disable_flag_override();
  app.add_flag("-h,--help")
      ->description(std::string(kHelpOptionDescription))
      ->disable_flag_override();
  app.add_flag("--version")
      ->description(std::string(kVersionOptionDescription))
      ->disable_flag_override();
}

// The rows of --help's option table, in the order of the options.
std::vector<HelpOption> HelpOptions(const CLI::App& app) {
  std::vector<HelpOption> rows;
  for (const CLI::Option* option : app.get_options()) {
    // "-h,--help" becomes "-h, --help"; built forward, as an insert trips GCC's -Wrestrict at -O3.
    std::string names;
    for (const char c : option->get_name(false, true)) {
      names += c;
      if (c == ',') names += ' ';
    }
    if (option->get_expected_max() > 0) {
      names += ' ';
      names += option->get_type_name();
    }
    rows.push_back({names, option->get_description()});
  }
  return rows;
}

// CLI11's complaints about a value name the option first: a value is missing
// after one that takes a value, or was given to one that takes none.
std::string ParseErrorMessage(const CLI::App& app, const CLI::ParseError& error) {
  const std::string text = error.what();
  std::string name = text.substr(0, text.find_first_of(": "));
  name.erase(0, name.find_first_not_of('-'));
  for (const CLI::Option* option : app.get_options()) {
    const std::vector<std::string>& longNames = option->get_lnames();
    if (std::find(longNames.begin(), longNames.end(), name) == longNames.end()) continue;
    return option->get_expected_max() > 0 ? MissingValueError("--" + name)
                                          : UnexpectedValueError("--" + name);
  }
  return text;
}

Failure badValue(const std::string& option, const std::string& value, const std::string& what) {
  return Failure{"invalid value \"" + value + "\" for " + option + ": expected " + what};
}

// --busy, --busy-status and --retry-after; the last two need the first.
Expected<BusyPlan> ParseBusyPlan(const std::map<std::string, std::string>& values) {
  BusyPlan plan;
  const auto which = values.find("--busy");
  if (which == values.end()) {
    for (const char* option : {"--busy-status", "--retry-after"})
      if (values.count(option) != 0) return Failure{std::string(option) + " goes with --busy"};
    return plan;
  }
  std::string_view rest = which->second;
  while (!rest.empty()) {
    const std::string_view part = rest.substr(0, rest.find(','));
    rest.remove_prefix(std::min(rest.size(), part.size() + 1));
    const bool every = part.starts_with("every:");
    const auto count = WholeNumber<int>(std::string(every ? part.substr(6) : part));
    if (!count || *count < 0 || (every && *count == 0))
      return badValue("--busy", which->second, "N, every:K or N,every:K");
    (every ? plan.every : plan.first) = *count;
  }
  if (const auto status = values.find("--busy-status"); status != values.end()) {
    if (status->second != "429" && status->second != "503")
      return badValue("--busy-status", status->second, "429 or 503");
    plan.status = std::stoi(status->second);
  }
  if (const auto after = values.find("--retry-after"); after != values.end()) {
    const bool date = after->second.starts_with("date:");
    const auto seconds = WholeNumber<int>(date ? after->second.substr(5) : after->second);
    if (!seconds || *seconds < 0)
      return badValue("--retry-after", after->second, "seconds or date:seconds");
    plan.retryAfter = date ? BusyPlan::RetryAfter::Date : BusyPlan::RetryAfter::Seconds;
    plan.retryAfterSeconds = *seconds;
  }
  return plan;
}

}  // namespace

std::string UsageText() {
  CLI::App app;
  std::map<std::string, std::string> slots;
  DefineOptions(app, slots);
  HelpPage page;
  // One line a form; the fault options are listed below.
  page.synopses = {
      "--catalogue FILE [--port N] [--log FILE] [--seed S] [FAULT OPTION]...",
      "--generate N --seed S --out FILE [--keywords-out FILE] [--shape SHAPE]",
      "--catalogue FILE --write-records FOLDER",
  };
  page.description =
      "Serves GET /products/ASIN.xml on 127.0.0.1 until SIGINT or SIGTERM and prints\n"
      "the Prefix= and Suffix= lines to use. Each fault option gives the share (0 to 1)\n"
      "of requests answered wrongly on purpose; --seed repeats the same faults.\n"
      "--generate writes a synthetic catalogue. --write-records stores every\n"
      "product's answer in FOLDER as the fetcher would (ASIN.xml, plus\n"
      "StartProductASIN.txt naming the first product), without any crawl.";
  page.options = HelpOptions(app);
  page.footer =
      "Exit status: 0 when stopped by SIGINT or SIGTERM or when done, 1 on an error,\n"
      "2 a command line it cannot use.";
  return HelpText(kProgram, page);
}

Expected<Command> ParseCommandLine(const std::vector<std::string>& args) {
  CLI::App app;
  std::map<std::string, std::string> slots;
  DefineOptions(app, slots);
  // CLI11 reads the arguments from the back.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& error) {
    return Failure{ParseErrorMessage(app, error)};
  }
  if (const std::vector<std::string> extra = app.remaining(); !extra.empty()) {
    return Failure{extra.front().starts_with("-") ? UnknownOptionError(extra.front())
                                                  : UnexpectedArgumentError(extra.front())};
  }
  if (app.get_option("--help")->count() != 0) return Command{HelpCommand{}};
  if (app.get_option("--version")->count() != 0) return Command{VersionCommand{}};
  std::map<std::string, std::string> values;
  for (const auto& [name, value] : slots) {
    if (app.get_option(name)->count() != 0) values[name] = value;
  }

  std::optional<std::uint64_t> seed;
  if (const auto found = values.find("--seed"); found != values.end()) {
    seed = WholeNumber<std::uint64_t>(found->second);
    if (!seed) return badValue("--seed", found->second, "a non-negative integer");
  }

  if (const auto found = values.find("--generate"); found != values.end()) {
    GenerateCommand command;
    const auto count = WholeNumber<int>(found->second);
    if (!count || *count < 0) return badValue("--generate", found->second, "a product count");
    command.count = *count;
    if (!seed) return Failure{"--generate needs --seed"};
    command.seed = *seed;
    const auto out = values.find("--out");
    if (out == values.end()) return Failure{"--generate needs --out FILE"};
    command.outPath = out->second;
    if (const auto keywords = values.find("--keywords-out"); keywords != values.end()) {
      command.keywordsPath = keywords->second;
    }
    if (const auto shape = values.find("--shape"); shape != values.end()) {
      if (shape->second == "chain") {
        command.shape = CatalogueShape::Chain;
      } else if (shape->second == "groups") {
        command.shape = CatalogueShape::Groups;
      } else if (shape->second != "tree") {
        return badValue("--shape", shape->second, "tree, chain or groups");
      }
    }
    for (const auto& [option, value] : values) {
      if (option != "--generate" && option != "--seed" && option != "--out" &&
          option != "--keywords-out" && option != "--shape") {
        return Failure{option + " cannot be used with --generate"};
      }
    }
    return Command{command};
  }

  const auto catalogue = values.find("--catalogue");
  if (catalogue == values.end()) return Failure{"--catalogue FILE is required"};
  if (const auto folder = values.find("--write-records"); folder != values.end()) {
    if (values.size() != 2) return Failure{"--write-records takes only --catalogue FILE"};
    return Command{WriteRecordsCommand{catalogue->second, folder->second}};
  }
  if (values.count("--shape") != 0) return Failure{"--shape goes with --generate"};
  ServeCommand command;
  command.cataloguePath = catalogue->second;
  command.server.seed = seed;
  if (const auto found = values.find("--port"); found != values.end()) {
    const auto port = WholeNumber<int>(found->second);
    if (!port || *port < 0 || *port > 65535) {
      return badValue("--port", found->second, "a port number from 0 to 65535");
    }
    command.server.port = *port;
  }
  if (const auto found = values.find("--log"); found != values.end()) {
    command.server.logPath = found->second;
  }
  const std::pair<const char*, double FaultShares::*> shares[] = {
      {"--drop", &FaultShares::drop},          {"--empty", &FaultShares::empty},
      {"--not-found", &FaultShares::notFound}, {"--invalid", &FaultShares::invalid},
      {"--truncate", &FaultShares::truncate},  {"--delay", &FaultShares::delay},
  };
  for (const auto& [option, member] : shares) {
    const auto found = values.find(option);
    if (found == values.end()) continue;
    const auto share = WholeNumber<double>(found->second);
    if (!share || !std::isfinite(*share) || *share < 0 || *share > 1) {
      return badValue(option, found->second, "a share from 0 to 1");
    }
    command.server.faults.*member = *share;
  }
  if (const auto found = values.find("--delay-ms"); found != values.end()) {
    const auto ms = WholeNumber<int>(found->second);
    if (!ms || *ms < 0) return badValue("--delay-ms", found->second, "milliseconds, 0 or more");
    command.server.faults.delayMs = *ms;
  }
  if (const auto found = values.find("--answer-bytes"); found != values.end()) {
    const auto bytes = WholeNumber<std::size_t>(found->second);
    if (found->second == "endless") {
      command.server.endlessAnswers = true;
    } else if (!bytes) {
      return badValue("--answer-bytes", found->second, "a byte count or endless");
    } else {
      command.server.answerBytes = *bytes;
    }
  }
  const Expected<BusyPlan> busy = ParseBusyPlan(values);
  if (!busy) return Failure{busy.error()};
  command.server.busy = busy.value();
  command.server.chunked = app.get_option("--chunked")->count() != 0;
  if (command.server.faults.delay > 0 && command.server.faults.delayMs == 0) {
    return Failure{"--delay needs --delay-ms N"};
  }
  if (auto checked = CheckFaultShares(command.server.faults); !checked) {
    return Failure{checked.error()};
  }
  return Command{command};
}

}  // namespace quillon::service
