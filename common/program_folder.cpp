#include "common/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "common/working_folder.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

// The home folder from the user database, for a process started without HOME.
std::string HomeFromPasswd() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
    return {};
  return found->pw_dir;
}

// Copies source to target unless target exists. The copy goes to a temporary
// name first and is linked into place, which fails rather than replaces: a
// user's file is never touched, and a failed copy leaves no partial file.
Status SeedFile(const fs::path& source, const fs::path& target) {
  std::error_code error;
  if (fs::exists(target, error) || !fs::is_regular_file(source, error)) return Success();
  const fs::path temporary = target.string() + ".seeding-" + std::to_string(::getpid());
  if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, error)) {
    fs::remove(temporary, error);
    return Failure{FailureKind::CannotWriteFile, target.string(), error.value()};
  }
  const int linked = ::link(temporary.c_str(), target.c_str());
  const int linkError = errno;
  fs::remove(temporary, error);
  if (linked != 0 && linkError != EEXIST)
    return Failure{FailureKind::CannotWriteFile, target.string(), linkError};
  return Success();
}

}  // namespace

std::string InstalledDataFolder() {
  // Where the install puts the data, relative to where it puts the programs.
  return (fs::path(ExecutableFolder()) / QUILLON_DATA_FROM_PROGRAM).lexically_normal().string();
}

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
    return (fs::path(xdgDataHome) / "quillon").string();
  const std::string base = home != nullptr ? home : "";
  return (fs::path(base) / ".local/share/quillon").string();
}

Expected<std::string> ChooseProgramFolder(const ProgramFolderPlaces& places) {
  std::error_code error;
  if (fs::exists(fs::path(places.executableFolder) / "setting.ini", error))
    return places.executableFolder;
  const fs::path user(places.userFolder);
  fs::create_directories(user, error);
  if (error || !fs::is_directory(user, error))
    return Failure{FailureKind::ProgramFolderNotCreated, places.userFolder,
                   error ? error.value() : ENOTDIR};
  for (const char* name : {"setting.ini", "keywords.txt"}) {
    if (const Status seeded = SeedFile(fs::path(places.dataFolder) / name, user / name); !seeded)
      return seeded.failure();
  }
  return places.userFolder;
}

Expected<std::string> DefaultProgramFolder() {
  const char* home = std::getenv("HOME");
  const std::string homeFolder = home != nullptr && home[0] != '\0' ? home : HomeFromPasswd();
  return ChooseProgramFolder({ExecutableFolder(), InstalledDataFolder(),
                              UserDataFolder(std::getenv("XDG_DATA_HOME"), homeFolder.c_str())});
}

}  // namespace quillon
