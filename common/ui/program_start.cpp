#include "common/ui/program_start.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "common/program_folder.h"
#include "common/ui/window_host.h"
#include "common/working_folder.h"

namespace quillon {

bool HasWindowSystem() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

std::optional<std::string> StartFolder(std::string_view program,
                                       const std::optional<std::string>& named, bool windowWanted,
                                       std::string_view windowTitle, int& argc, char** argv) {
  const Expected<std::string> chosen =
      named ? Expected<std::string>(*named) : DefaultProgramFolder();
  std::error_code error;
  const std::string folder =
      chosen ? std::filesystem::absolute(chosen.value(), error).lexically_normal().string() : "";
  const Status usable = chosen ? CheckProgramFolder(folder) : Status(chosen.failure());
  if (usable) return folder;
  std::cerr << program << ": error: " << usable.error() << "\n";
  // Whoever asked for the window may not be looking at a terminal.
  if (windowWanted && HasWindowSystem()) {
    const QApplication app(argc, argv);
    const Translations translations(EnvironmentLanguage());
    ShowFailureBox(UiText(windowTitle).toStdString(), usable.failure());
  }
  return std::nullopt;
}

WindowProgram::WindowProgram(int& argc, char** argv)
    : app_(argc, argv), translations_(EnvironmentLanguage()) {}

}  // namespace quillon
