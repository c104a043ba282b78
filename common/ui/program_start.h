// How both Qt programs start: the folder they work in, whether a display is
// there for a window, and the application object of a window.
#pragma once

#include <QApplication>
#include <optional>
#include <string>
#include <string_view>

#include "common/ui/translation.h"

namespace quillon {

// True when a window can be opened: QT_QPA_PLATFORM, DISPLAY or WAYLAND_DISPLAY
// is set and not empty.
bool HasWindowSystem();

// The program folder that --folder names, or else the default one, made
// absolute so that settings naming folders relative to it stay unambiguous.
// When it is missing or no folder: says so on stderr ("<program>: error: ...")
// and, when a window was asked for and can be shown, in a message box captioned
// with windowTitle (a fixed text, translated); gives nothing then.
std::optional<std::string> StartFolder(std::string_view program,
                                       const std::optional<std::string>& named, bool windowWanted,
                                       std::string_view windowTitle, int& argc, char** argv);

// The application object and the user's translations of a window program.
class WindowProgram {
 public:
  WindowProgram(int& argc, char** argv);
  int exec() { return QApplication::exec(); }

 private:
  QApplication app_;
  Translations translations_;
};

}  // namespace quillon
