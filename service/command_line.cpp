#include "service/command_line.h"

#include <charconv>
#include <cmath>
#include <map>
#include <optional>

namespace quillon::service {

namespace {

template <class Number>
std::optional<Number> parseNumber(const std::string& text) {
  Number value{};
  const auto* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || rest != end || text.empty()) return std::nullopt;
  return value;
}

Failure badValue(const std::string& option, const std::string& value, const std::string& what) {
  return Failure{"invalid value \"" + value + "\" for " + option + ": expected " + what};
}

}  // namespace

std::string UsageText() {
  return "usage:\n"
         "  product-service --catalogue FILE [--port N] [--seed S] [--log FILE]\n"
         "                  [--drop P] [--empty P] [--not-found P] [--invalid P]\n"
         "                  [--truncate P] [--delay P --delay-ms N]\n"
         "  product-service --generate N --seed S --out FILE [--keywords-out FILE]\n"
         "                  [--shape tree|chain]\n"
         "  product-service --catalogue FILE --write-records FOLDER\n"
         "Serves GET /products/ASIN.xml on 127.0.0.1 (port 0 picks a free port) until\n"
         "SIGINT or SIGTERM. Each fault option gives the share (0 to 1) of requests\n"
         "answered wrongly on purpose; --seed repeats the same faults.\n"
         "--generate writes a synthetic catalogue (tree: about five similar products\n"
         "each; chain: each product lists the next one only). --write-records stores\n"
         "every product's answer in FOLDER as the fetcher would (ASIN.xml, plus\n"
         "StartProductASIN.txt naming the first product), without any crawl.\n";
}

Expected<Command> ParseCommandLine(const std::vector<std::string>& args) {
  std::map<std::string, std::string> values;
  static const std::map<std::string, bool> kKnown = {
      {"--catalogue", true}, {"--port", true},          {"--seed", true},      {"--log", true},
      {"--drop", true},      {"--empty", true},         {"--not-found", true}, {"--invalid", true},
      {"--truncate", true},  {"--delay", true},         {"--delay-ms", true},  {"--generate", true},
      {"--out", true},       {"--keywords-out", true},  {"--help", false},     {"-h", false},
      {"--shape", true},     {"--write-records", true},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto known = kKnown.find(args[i]);
    if (known == kKnown.end()) return Failure{"unknown argument \"" + args[i] + "\""};
    if (!known->second) return Command{HelpCommand{}};
    if (i + 1 >= args.size()) return Failure{args[i] + " needs a value"};
    values[args[i]] = args[i + 1];
    i += 1;  // the value just taken
  }

  std::optional<std::uint64_t> seed;
  if (const auto found = values.find("--seed"); found != values.end()) {
    seed = parseNumber<std::uint64_t>(found->second);
    if (!seed) return badValue("--seed", found->second, "a non-negative integer");
  }

  if (const auto found = values.find("--generate"); found != values.end()) {
    GenerateCommand command;
    const auto count = parseNumber<int>(found->second);
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
      } else if (shape->second != "tree") {
        return badValue("--shape", shape->second, "tree or chain");
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
    const auto port = parseNumber<int>(found->second);
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
    const auto share = parseNumber<double>(found->second);
    if (!share || !std::isfinite(*share) || *share < 0 || *share > 1) {
      return badValue(option, found->second, "a share from 0 to 1");
    }
    command.server.faults.*member = *share;
  }
  if (const auto found = values.find("--delay-ms"); found != values.end()) {
    const auto ms = parseNumber<int>(found->second);
    if (!ms || *ms < 0) return badValue("--delay-ms", found->second, "milliseconds, 0 or more");
    command.server.faults.delayMs = *ms;
  }
  if (command.server.faults.delay > 0 && command.server.faults.delayMs == 0) {
    return Failure{"--delay needs --delay-ms N"};
  }
  if (auto checked = CheckFaultShares(command.server.faults); !checked) {
    return Failure{checked.error()};
  }
  return Command{command};
}

}  // namespace quillon::service
