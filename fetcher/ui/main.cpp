// The fetcher: a window by default, a crawl on the terminal with --start.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include "common/working_folder.h"
#include "fetcher/curl_easy.h"
#include "fetcher/pacing_clock.h"
#include "fetcher/ui/app_icon.h"
#include "fetcher/ui/command_line.h"
#include "fetcher/ui/form_main.h"

int main(int argc, char** argv) {
  using namespace quillon;
  using namespace quillon::fetcher;
  const CurlGlobal curl;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const Expected<CommandLine> parsed = ParseCommandLine(arguments);
  if (!parsed) {
    std::cerr << "fetcher: " << parsed.error() << "\nTry 'fetcher --help'.\n";
    return 1;
  }
  const CommandLine& line = parsed.value();
  if (line.help) {
    std::cout << HelpText();
    return 0;
  }
  const std::string folder = line.folder.value_or(ExecutableFolder());
  if (line.start) return RunHeadlessCrawl(folder, *line.start, line.retries, MakeCurlGetter());

  // Qt would abort without a display; say what to do instead.
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
      !std::getenv("QT_QPA_PLATFORM")) {
    std::cerr << "fetcher: there is no display for the window; use --start ASIN to crawl "
                 "without one.\n";
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(FetcherIcon());
  PacingClock clock;
  FormMain window(folder, MakeCurlGetter(), clock);
  window.show();
  return QApplication::exec();
}
