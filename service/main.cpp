// product-service: serves a product catalogue on loopback, or generates one.
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "common/program_usage.h"
#include "service/catalogue_generator.h"
#include "service/command_line.h"
#include "service/product_catalogue.h"
#include "service/product_server.h"
#include "service/record_folder.h"

namespace {

using namespace quillon::service;

int fail(const std::string& message) {
  std::cerr << kProgram << ": " << message << std::endl;
  return 1;
}

int serve(const ServeCommand& command) {
  auto catalogue = ProductCatalogue::LoadFile(command.cataloguePath);
  if (!catalogue) return fail(catalogue.error());

  // Blocked before the serving threads start, so that only sigwait below sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    ProductServer server(std::move(catalogue).value(), command.server);
    std::cout << "Prefix=" << server.prefix() << '\n' << "Suffix=" << server.suffix() << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return 0;
}

int generate(const GenerateCommand& command) {
  const auto generated = GenerateCatalogue(command.count, command.seed, command.shape);
  if (auto written = WriteGeneratedCatalogue(generated, command.outPath, command.keywordsPath);
      !written) {
    return fail(written.error());
  }
  return 0;
}

int writeRecords(const WriteRecordsCommand& command) {
  const auto catalogue = ProductCatalogue::LoadFile(command.cataloguePath);
  if (!catalogue) return fail(catalogue.error());
  const auto written = WriteRecordFolder(catalogue.value(), command.folder);
  if (!written) return fail(written.error());
  std::cout << written.value() << " record files written to " << command.folder << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto command = ParseCommandLine(args);
  if (!command) return quillon::ReportUsageError(kProgram, command.error());
  if (const auto* serveCommand = std::get_if<ServeCommand>(&command.value())) {
    return serve(*serveCommand);
  }
  if (const auto* generateCommand = std::get_if<GenerateCommand>(&command.value())) {
    return generate(*generateCommand);
  }
  if (const auto* writeCommand = std::get_if<WriteRecordsCommand>(&command.value())) {
    return writeRecords(*writeCommand);
  }
  if (std::holds_alternative<VersionCommand>(command.value())) {
    std::cout << quillon::VersionText(kProgram);
    return 0;
  }
  std::cout << UsageText();
  return 0;
}
