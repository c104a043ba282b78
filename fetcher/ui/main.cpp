// The fetcher: a window by default, a crawl on the terminal with --start.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "common/program_usage.h"
#include "common/ui/folder_windows.h"
#include "common/ui/translation.h"
#include "common/ui/window_host.h"
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
  const Expected<CommandLine> parsed =
      ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed) return ReportUsageError(kProgram, parsed.error());
  const CommandLine& line = parsed.value();
  if (line.help) {
    std::cout << HelpText();
    return 0;
  }
  if (line.version) {
    std::cout << VersionText(kProgram);
    return 0;
  }
  const bool display =
      std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
  // --folder names the folder; otherwise the portable or the per-user one.
  const Expected<std::string> chosen =
      line.folder ? Expected<std::string>(*line.folder) : DefaultProgramFolder();
  if (const Status usable = chosen ? CheckProgramFolder(chosen.value()) : Status(chosen.failure());
      !usable) {
    std::cerr << kProgram << ": error: " << usable.error() << "\n";
    // Whoever asked for the window may not be looking at a terminal.
    if (!line.start && display) {
      QApplication app(argc, argv);
      const Translations translations(EnvironmentLanguage());
      ShowFailureBox(UiText(kApplicationTitle).toStdString(), usable.failure());
    }
    return 1;
  }
  const std::string folder = chosen.value();
  if (line.start) {
    const Translations translations(EnvironmentLanguage());
    return RunHeadlessCrawl(folder, *line.start, line.retries,
                            MakeCurlGetter(folder, {}, translations.translator()), line.resume,
                            translations.translator());
  }

  // Qt would abort without a display; say what to do instead.
  if (!display) {
    std::cerr << "fetcher: there is no display for the window; use --start ASIN to crawl "
                 "without one.\n";
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(FetcherIcon());
  const Translations translations(EnvironmentLanguage());
  PacingClock clock;
  FolderWindows windows(
      [&](const std::string& chosen) {
        auto window = std::make_unique<FormMain>(
            chosen, MakeCurlGetter(chosen, {}, translations.translator()), clock);
        FolderChooser* chooser = &window->folderChooser();
        return FolderWindow{std::move(window), chooser};
      },
      RecentFolders(RecentFolders::UserSettingsFile()), UiText(kApplicationTitle).toStdString());
  windows.show(folder);
  return QApplication::exec();
}
