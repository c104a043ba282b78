#include "common/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using testing::TempFolder;

int Entries(const TempFolder& folder) {
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
    ++entries;
  return entries;
}

TEST(AtomicFile, CommitReplacesTheTarget) {
  TempFolder folder;
  folder.write("t.txt", "old");
  {
    AtomicFile file(folder.file("t.txt"));
    file.stream() << "new " << 42 << std::string(100000, 'x');
    ASSERT_TRUE(file.commit().ok());
  }
  EXPECT_EQ(folder.read("t.txt"), "new 42" + std::string(100000, 'x'));
  EXPECT_EQ(Entries(folder), 1);
  const mode_t umask = ::umask(0);
  ::umask(umask);
  struct stat info {};
  ASSERT_EQ(::stat(folder.file("t.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~umask);
}

// Sets the process's umask for one test and puts the old one back.
class UmaskScope {
 public:
  explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
  ~UmaskScope() { ::umask(old_); }
  UmaskScope(const UmaskScope&) = delete;
  UmaskScope& operator=(const UmaskScope&) = delete;

 private:
  mode_t old_;
};

struct ModeCase {
  const char* name;
  mode_t umask;
  int existingMode;  // -1: no file there yet
  mode_t expected;
};

class AtomicFileModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(AtomicFileModeTest, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
  const ModeCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.file("t.txt");
  if (c.existingMode >= 0) {
    folder.write("t.txt", "old");
    ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.existingMode)), 0);
  }
  {
    const UmaskScope scope(c.umask);
    AtomicFile file(path);
    file.stream() << "new";
    ASSERT_TRUE(file.commit().ok());
  }
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, c.expected);
  EXPECT_EQ(folder.read("t.txt"), "new");
}

INSTANTIATE_TEST_SUITE_P(Modes, AtomicFileModeTest,
                         ::testing::Values(ModeCase{"NewUmask022", 022, -1, 0644},
                                           ModeCase{"NewUmask027", 027, -1, 0640},
                                           ModeCase{"NewUmask002", 002, -1, 0664},
                                           ModeCase{"ReplacedPrivate", 022, 0600, 0600},
                                           ModeCase{"ReplacedGroupWritable", 022, 0664, 0664},
                                           ModeCase{"ReplacedReadOnly", 002, 0444, 0444}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFile, WithoutCommitTheTargetStaysAndNothingIsLeft) {
  TempFolder folder;
  folder.write("t.txt", "old");
  {
    AtomicFile file(folder.file("t.txt"));
    file.stream() << "new";
  }
  EXPECT_EQ(folder.read("t.txt"), "old");
  EXPECT_EQ(Entries(folder), 1);
}

TEST(AtomicFile, WritersOfOneTargetAtOnceDoNotShareATemporaryFile) {
  TempFolder folder;
  AtomicFile first(folder.file("t.txt"));
  AtomicFile second(folder.file("t.txt"));
  first.stream() << "first";
  second.stream() << "second";
  ASSERT_TRUE(first.commit().ok());
  ASSERT_TRUE(second.commit().ok());
  EXPECT_EQ(folder.read("t.txt"), "second");
  EXPECT_EQ(Entries(folder), 1);
}

TEST(AtomicFile, FailuresNameTheTargetAndTheReason) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("d"));
  folder.write("d/inner", "keep");
  AtomicFile blocked(folder.file("d"));  // the rename fails: a folder is in the way
  blocked.stream() << "x";
  EXPECT_EQ(blocked.commit().error(),
            "Cannot write file " + folder.file("d") + ": " + std::strerror(EISDIR) + ".");
  AtomicFile missing(folder.file("none/t.txt"));  // the temporary file cannot be created
  EXPECT_FALSE(missing.stream());
  EXPECT_EQ(missing.commit().error(),
            "Cannot write file " + folder.file("none/t.txt") + ": " + std::strerror(ENOENT) + ".");
  EXPECT_EQ(Entries(folder), 1);
}

struct LongNameCase {
  const char* name;
  std::string target;
  int error;  // of the commit; 0: it succeeds
};

class AtomicFileNameTest : public ::testing::TestWithParam<LongNameCase> {};

TEST_P(AtomicFileNameTest, TheTemporaryNameFitsWheneverTheTargetNameDoes) {
  const LongNameCase& c = GetParam();
  TempFolder folder;
  AtomicFile file(folder.file(c.target));
  file.stream() << "x";
  const Status committed = file.commit();
  EXPECT_EQ(committed.ok() ? 0 : committed.failure().error, c.error) << committed.error();
  EXPECT_EQ(folder.read(c.target), c.error == 0 ? "x" : "");
  EXPECT_EQ(Entries(folder), c.error == 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AtomicFileNameTest,
    ::testing::Values(LongNameCase{"Record240", std::string(240, 'B') + ".xml", 0},
                      LongNameCase{"Longest", std::string(255, 'B'), 0},
                      // 84 three-byte characters: the shortened part ends at a character start.
                      LongNameCase{"Japanese",
                                   [] {
                                     std::string name;
                                     for (int k = 0; k < 84; ++k) name += "本";
                                     return name + "xyz";
                                   }(),
                                   0},
                      LongNameCase{"TooLong", std::string(256, 'B'), ENAMETOOLONG}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RemoveStaleTemporaryFiles, RemovesOnlyUnlockedTemporaryFiles) {
  TempFolder folder;
  const std::vector<std::string> stale = {".A.xml.tmp-abc123", ".StartProductASIN.txt.tmp-Zz9Zz9"};
  const std::vector<std::string> others = {".hidden", "A.xml.tmp-abc123", ".A.xml.tmp-abc12",
                                           ".A.xml.tmp-abc_12", "A.xml"};
  for (const std::string& name : stale) folder.write(name, "<partial");
  for (const std::string& name : others) folder.write(name, "keep");
  AtomicFile living(folder.file("B.xml"));
  living.stream() << "written meanwhile";

  EXPECT_EQ(RemoveStaleTemporaryFiles(folder.path()), 2);

  for (const std::string& name : stale) EXPECT_FALSE(folder.exists(name)) << name;
  for (const std::string& name : others) EXPECT_EQ(folder.read(name), "keep") << name;
  ASSERT_TRUE(living.commit().ok());
  EXPECT_EQ(folder.read("B.xml"), "written meanwhile");
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder.file("missing")), 0);
}

}  // namespace
}  // namespace quillon
