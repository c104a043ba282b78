// The fetcher: a window by default, a crawl on the terminal with --start.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/program_usage.h"
#include "common/ui/folder_windows.h"
#include "common/ui/program_start.h"
#include "common/ui/translation.h"
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
  const std::optional<std::string> folder =
      StartFolder(kProgram, line.folder, !line.start, kApplicationTitle, argc, argv);
  if (!folder) return 1;
  if (line.start) {
    const Translations translations(EnvironmentLanguage());
    // The command line's own messages are English in every locale, the reasons they give too.
    const Translations english(UiLanguage::English);
    return RunHeadlessCrawl(*folder, *line.start, line.retries, MakeCurlGetter(), line.resume,
                            translations.translator(), english.translator(), line.limits);
  }

  // Qt would abort without a display; say what to do instead.
  if (!HasWindowSystem()) {
    std::cerr << "fetcher: there is no display for the window; use --start ASIN to crawl "
                 "without one.\n";
    return 1;
  }
  WindowProgram program(argc, argv);
  QApplication::setWindowIcon(FetcherIcon());
  PacingClock clock;
  FolderWindows windows(
      [&](const std::string& chosen) {
        auto window = std::make_unique<FormMain>(chosen, MakeCurlGetter(), clock);
        FolderChooser* chooser = &window->folderChooser();
        return FolderWindow{std::move(window), chooser};
      },
      RecentFolders(RecentFolders::UserSettingsFile()), UiText(kApplicationTitle).toStdString());
  windows.show(*folder);
  return program.exec();
}
