#include "common/code_page.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using testing::TempFolder;

const std::string kJapanese =
    "\xE3\x82\xAB\xE3\x83\xA1\xE3\x83\xA9\xE3\x81\xA8\xE6\x9C\xAC";  // カメラと本
const std::string kJapaneseSjis = "\x83\x4A\x83\x81\x83\x89\x82\xC6\x96\x7B";

TEST(CodePage, JapaneseTextRoundTripsThroughWindows31J) {
  EXPECT_EQ(Utf8ToCodePage(kJapanese), kJapaneseSjis);
  EXPECT_EQ(CodePageToUtf8(kJapaneseSjis), kJapanese);
  // Full-width forms and the NEC extensions of Windows-31J survive as well.
  const std::string extended = "\xEF\xBC\xA1\xE2\x91\xA0\xE3\x88\xB1";  // Ａ①㈱
  EXPECT_EQ(CodePageToUtf8(Utf8ToCodePage(extended)), extended);
}

TEST(CodePage, CharactersTheCodePageCannotHoldBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCodePage("caf\xC3\xA9 \xF0\x9F\x98\x80!"), "caf? ?!");
  EXPECT_EQ(Utf8ToCodePage("\xD0\x96"), "\x84\x47");  // Cyrillic is in the code page
  // Default-ignorable ones too: U+FEFF, soft hyphen, U+200B, a variation selector.
  EXPECT_EQ(Utf8ToCodePage("a\xEF\xBB\xBF"
                           "b\xC2\xAD"
                           "c\xE2\x80\x8B"
                           "d\xEF\xB8\x8F"
                           "e"),
            "a?b?c?d?e");
}

TEST(SplitLines, EndsLinesAtCrOrCrLfButNotAtALoneLf) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines("a\r\nb\rc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\nb\r\n"), (Lines{"a\nb"}));
  EXPECT_EQ(SplitLines("\r\n\r\nx"), (Lines{"", "", "x"}));
  EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(TextFiles, WrittenLinesReadBackWithCrLfInTheCodePage) {
  TempFolder folder;
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("k.txt"), {kJapanese, "", "x\ny"}).ok());
  EXPECT_EQ(folder.read("k.txt"), kJapaneseSjis + "\r\n\r\nx\ny\r\n");
  const auto lines = ReadTextLines(folder.file("k.txt"));
  ASSERT_TRUE(lines.ok());
  EXPECT_EQ(lines.value(), (std::vector<std::string>{kJapanese, "", "x\ny"}));
}

TEST(TextFiles, Utf8WithByteOrderMarkIsReadAsUtf8) {
  TempFolder folder;
  folder.write("k.txt", "\xEF\xBB\xBF" + kJapanese + "\r\nabc");
  const auto lines = ReadTextLines(folder.file("k.txt"));
  ASSERT_TRUE(lines.ok());
  EXPECT_EQ(lines.value(), (std::vector<std::string>{kJapanese, "abc"}));
}

struct UserFileCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
  friend void PrintTo(const UserFileCase& row, std::ostream* out) { *out << row.name; }
};

class UserFileTest : public ::testing::TestWithParam<UserFileCase> {};

TEST_P(UserFileTest, Utf8FilesAreReadAsUtf8WithLfEndingLinesTooAndOthersInTheCodePage) {
  TempFolder folder;
  folder.write("k.txt", GetParam().bytes);
  const auto lines = ReadTextLines(folder.file("k.txt"));
  ASSERT_TRUE(lines.ok());
  EXPECT_EQ(lines.value(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, UserFileTest,
    ::testing::Values(
        UserFileCase{"Utf8WithLf", kJapanese + "\n\nabc\n", {kJapanese, "", "abc"}},
        UserFileCase{"Utf8AllLineEnds", "\xC3\xA9\r\nx\ry\nz", {"\xC3\xA9", "x", "y", "z"}},
        UserFileCase{"BomAndAsciiWithLf",
                     "\xEF\xBB\xBF"
                     "a\nb",
                     {"a", "b"}},
        UserFileCase{"BomAndInvalidUtf8",
                     "\xEF\xBB\xBF"
                     "a\xFF",
                     {"a\xEF\xBF\xBD"}},
        UserFileCase{"CodePageKeepsLoneLf", kJapaneseSjis + "\nabc\r\n", {kJapanese + "\nabc"}},
        UserFileCase{"AsciiKeepsLoneLf", "a\nb\r\nc", {"a\nb", "c"}},
        UserFileCase{"AsciiWithLfOnly", "cat\nguide\n", {"cat", "guide"}},
        UserFileCase{"AsciiWithLfOnlyKeepsEmptyLines", "\nx\n\ny", {"", "x", "", "y"}},
        UserFileCase{"CodePageWithLfOnly", kJapaneseSjis + "\nabc\n", {kJapanese, "abc"}}),
    [](const ::testing::TestParamInfo<UserFileCase>& info) {
      return std::string(info.param.name);
    });

TEST(TextFiles, RecordLinesAreReadInTheCodePageEvenWhenValidUtf8) {
  TempFolder folder;
  folder.write("r.xml", "\xC3\xA9\nx\r\nsecond");
  const auto line = ReadFirstCodePageLine(folder.file("r.xml"));
  ASSERT_TRUE(line.ok());
  EXPECT_EQ(line.value(), CodePageToUtf8("\xC3\xA9") + "\nx");
}

TEST(TextFiles, ALongRecordIsConvertedWholeAcrossPieces) {
  // Characters of one to four UTF-8 bytes fall on every piece boundary.
  std::string line;
  std::string expected;  // the emoji is not in the code page
  while (line.size() < 300'000) {
    line += "日本のﾎﾝA\U0001F600";
    expected += "日本のﾎﾝA?";
  }
  const TempFolder folder;
  ASSERT_TRUE(WriteTextLineAtomic(folder.file("A.xml"), line));
  EXPECT_EQ(folder.read("A.xml"), Utf8ToCodePage(expected) + "\r\n");
  EXPECT_EQ(ReadFirstCodePageLine(folder.file("A.xml")).value(), expected);
}

TEST(TextFiles, ARecordIsReadUpToItsFirstCrWithinTheCap) {
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t cap;
    std::optional<std::string> line;  // none: refused as too long
  };
  const std::string piece(70'000, 'a');  // beyond one read of the file
  for (const Case& c :
       {Case{"FollowedByMuchMore", "abc\r\n" + std::string(10'000, 'x'), 100, "abc"},
        Case{"CrInALaterPiece", piece + "\rtail", 100'000, piece},
        Case{"AtTheCap", std::string(100, 'x') + "\r\n", 100, std::string(100, 'x')},
        Case{"BeyondTheCap", std::string(101, 'x') + "\r\n", 100, std::nullopt},
        Case{"NoCrBeyondTheCap", std::string(200'000, 'x'), 100, std::nullopt}}) {
    TempFolder folder;
    folder.write("r.xml", c.bytes);
    const auto line = ReadFirstCodePageLine(folder.file("r.xml"), c.cap);
    if (c.line) {
      ASSERT_TRUE(line.ok()) << c.name << ": " << line.error();
      EXPECT_EQ(line.value(), *c.line) << c.name;
    } else {
      ASSERT_FALSE(line.ok()) << c.name;
      EXPECT_EQ(line.failure().error, EFBIG) << c.name;
      EXPECT_NE(line.error().find(folder.file("r.xml")), std::string::npos) << c.name;
    }
  }
}

// A pipe no one writes would block the read for good, a device never ends.
TEST(TextFiles, OnlyRegularFilesAreRead) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", folder.file("zero"));
  for (const char* name : {"pipe", "zero"}) {
    const std::string path = folder.file(name);
    const std::vector<Failure> failures{ReadFirstCodePageLine(path).failure(),
                                        ReadCodePageRecord(path).failure(),
                                        ReadTextLines(path).failure()};
    for (const Failure& failure : failures) {
      EXPECT_EQ(failure.kind, FailureKind::NotARegularFile) << name;
      EXPECT_EQ(failure.subject, path) << name;
    }
  }
}

TEST(TextFiles, ReadingFailuresNameTheFile) {
  TempFolder folder;
  const auto missing = ReadTextLines(folder.file("none.txt"));
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().find(folder.file("none.txt")), std::string::npos);
  folder.write("empty.txt", "");
  EXPECT_FALSE(ReadFirstLine(folder.file("empty.txt")).ok());
  EXPECT_FALSE(ReadTextLines(folder.path()).ok());
  // Garbage bytes decode without failing.
  folder.write("bin.txt", std::string("\x81\x00\xFF\xFE\x82", 5) + "\r\nok");
  const auto garbage = ReadTextLines(folder.file("bin.txt"));
  ASSERT_TRUE(garbage.ok());
  EXPECT_EQ(garbage.value().back(), "ok");
}

TEST(TextFiles, RewritingTheSameLinesKeepsTheFileButRenewsItsTime) {
  TempFolder folder;
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("r.xml"), {"same"}).ok());
  const auto inode = [&] {
    struct stat info {};
    ::stat(folder.file("r.xml").c_str(), &info);
    return info.st_ino;
  };
  const auto before = inode();
  // Written long ago, as a record that a re-crawl finds unchanged.
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time(folder.file("r.xml"), now - std::chrono::hours(24 * 30));
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("r.xml"), {"same"}).ok());
  EXPECT_EQ(inode(), before);  // not replaced
  EXPECT_GE(std::filesystem::last_write_time(folder.file("r.xml")), now - std::chrono::seconds(1));
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("r.xml"), {"other"}).ok());
  EXPECT_EQ(folder.read("r.xml"), "other\r\n");
}

TEST(TextFiles, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  ASSERT_TRUE(WriteTextLinesAtomic(folder.file("r.xml"), {"old"}).ok());
  // A folder in the way of the rename makes the write fail after the temporary file exists.
  std::filesystem::create_directory(folder.file("d.xml"));
  folder.write("d.xml/inner", "keep");
  EXPECT_FALSE(WriteTextLinesAtomic(folder.file("d.xml"), {"new"}).ok());
  EXPECT_FALSE(WriteTextLinesAtomic(folder.file("missing/r.xml"), {"new"}).ok());
  EXPECT_EQ(folder.read("r.xml"), "old\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
    ++entries;
  EXPECT_EQ(entries, 2);  // r.xml and d.xml, no temporary leftovers
}

}  // namespace
}  // namespace quillon
