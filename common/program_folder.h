// Which folder a program works in when no --folder names one: its own folder in
// a portable install, otherwise a per-user folder seeded from the install.
#pragma once

#include <string>

#include "common/expected.h"

namespace quillon {

// What an install ships beside the programs (the default setting.ini and
// keywords.txt, translations), found from the running program's own place so
// that an unpacked tree works wherever it lies: <bin>/../share/quillon in the
// usual layout, the program's own folder in the portable one.
std::string InstalledDataFolder();

// $XDG_DATA_HOME/quillon; home/.local/share/quillon when xdgDataHome is null,
// empty or not absolute. Either argument may be null.
std::string UserDataFolder(const char* xdgDataHome, const char* home);

struct ProgramFolderPlaces {
  std::string executableFolder;  // holds setting.ini in a portable install
  std::string dataFolder;        // the installed defaults (InstalledDataFolder)
  std::string userFolder;        // the per-user folder (UserDataFolder)
};

// The executable's folder when it holds setting.ini. Otherwise the user folder,
// created when missing; setting.ini and keywords.txt of the data folder are
// copied into it when it lacks them, and a file already there is never replaced.
Expected<std::string> ChooseProgramFolder(const ProgramFolderPlaces& places);

// ChooseProgramFolder with the places of this process and its environment.
Expected<std::string> DefaultProgramFolder();

// How --help names the default program folder (lines separated by '\n').
inline constexpr char kDefaultProgramFolderHelp[] =
    "default: the program's own folder when it holds\n"
    "setting.ini, otherwise $XDG_DATA_HOME/quillon\n"
    "(~/.local/share/quillon), made on first use with\n"
    "copies of the installed setting.ini and keywords.txt";

}  // namespace quillon
