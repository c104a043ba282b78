// The command line of product-service: serve a catalogue, or generate one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/expected.h"
#include "service/catalogue_generator.h"
#include "service/product_server.h"

namespace quillon::service {

struct ServeCommand {
  std::string cataloguePath;
  ServerOptions server;
};

struct GenerateCommand {
  int count = 0;
  std::uint64_t seed = 0;
  CatalogueShape shape = CatalogueShape::Tree;
  std::string outPath;
  std::string keywordsPath;  // empty: no keywords file
};

// Writes every product's answer as a record file, as a crawl would have stored it.
struct WriteRecordsCommand {
  std::string cataloguePath;
  std::string folder;
};

struct HelpCommand {};
struct VersionCommand {};

using Command =
    std::variant<ServeCommand, GenerateCommand, WriteRecordsCommand, HelpCommand, VersionCommand>;

inline constexpr std::string_view kProgram = "product-service";

// Parses the arguments after the program name.
Expected<Command> ParseCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();

}  // namespace quillon::service
