#include "common/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using testing::TempFolder;

TEST(UserDataFolder, FollowsAnAbsoluteXdgDataHomeAndFallsBackToHome) {
  const struct {
    const char* name;
    const char* xdg;
    const char* expected;
  } rows[] = {
      {"absolute", "/data", "/data/quillon"},
      {"unset", nullptr, "/home/u/.local/share/quillon"},
      {"empty", "", "/home/u/.local/share/quillon"},
      {"relative", "data", "/home/u/.local/share/quillon"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(UserDataFolder(row.xdg, "/home/u"), row.expected) << row.name;
  }
}

// An install (data), the folder of a program, and a user's home, side by side.
class ChooseProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"bin", "data"}) std::filesystem::create_directory(root.file(name));
    root.write("data/setting.ini", "[DefaultSetting]\n");
    root.write("data/keywords.txt", "cat\r\n");
  }
  Expected<std::string> choose() const {
    return ChooseProgramFolder({root.file("bin"), root.file("data"), user()});
  }
  std::string user() const { return root.file("home/quillon"); }

  TempFolder root;
};

TEST_F(ChooseProgramFolderTest, OwnFolderHoldingSettingIniIsThePortableInstall) {
  root.write("bin/setting.ini", "");
  EXPECT_EQ(choose().value(), root.file("bin"));
  EXPECT_FALSE(root.exists("home"));
}

TEST_F(ChooseProgramFolderTest, OtherwiseTheUserFolderIsMadeAndSeeded) {
  EXPECT_EQ(choose().value(), user());
  EXPECT_EQ(root.read("home/quillon/setting.ini"), "[DefaultSetting]\n");
  EXPECT_EQ(root.read("home/quillon/keywords.txt"), "cat\r\n");
}

TEST_F(ChooseProgramFolderTest, AUsersFilesAreNeverReplacedAndMissingOnesAreAdded) {
  ASSERT_TRUE(choose().ok());
  root.write("home/quillon/setting.ini", "edited");
  std::filesystem::remove(root.file("home/quillon/keywords.txt"));
  root.write("data/setting.ini", "[DefaultSetting]\nCloseCount=2\n");  // a newer install
  EXPECT_EQ(choose().value(), user());
  EXPECT_EQ(root.read("home/quillon/setting.ini"), "edited");
  EXPECT_EQ(root.read("home/quillon/keywords.txt"), "cat\r\n");
  for (const auto& entry : std::filesystem::directory_iterator(user()))
    EXPECT_EQ(entry.path().filename().string().find(".seeding"), std::string::npos);
}

TEST_F(ChooseProgramFolderTest, WithoutInstalledDefaultsTheFolderStartsEmpty) {
  std::filesystem::remove_all(root.file("data"));
  EXPECT_EQ(choose().value(), user());
  EXPECT_TRUE(std::filesystem::is_empty(user()));
}

TEST_F(ChooseProgramFolderTest, AFolderThatCannotBeMadeIsAFailureNamingIt) {
  root.write("home", "a file where the folder should go");
  const Expected<std::string> chosen = choose();
  ASSERT_FALSE(chosen.ok());
  EXPECT_EQ(chosen.failure().kind, FailureKind::ProgramFolderNotCreated);
  EXPECT_EQ(chosen.error().find("Cannot create the program folder " + user()), 0u)
      << chosen.error();
}

}  // namespace
}  // namespace quillon
