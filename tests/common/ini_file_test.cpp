#include "common/ini_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using testing::TempFolder;

TEST(GetIniValue, MissingFileSectionKeyOrEmptyValueGivesTheDefault) {
  TempFolder folder;
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "CloseCount", "1"), "1");
  folder.write("setting.ini", "[DefaultSetting]\r\nCloseCount=\r\nOther=5\r\n");
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "CloseCount", "1"), "1");
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "Missing", "d"), "d");
  EXPECT_EQ(GetIniValue(folder.path(), "RequestURL", "Other", "d"), "d");
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "Other", "d"), "5");
}

TEST(GetIniValue, SectionAndKeyIgnoreCaseAndBlanksAndQuotesAreRemoved) {
  TempFolder folder;
  folder.write("setting.ini",
               "; comment\n[defaultsetting]\n  closecount =  3  \nPrefix=\"http://h/p \"\n"
               "Suffix='.xml'\nHalf=\"x\n[RequestURL]\nPrefix=second\n");
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "CloseCount", ""), "3");
  EXPECT_EQ(GetIniValue(folder.path(), "DEFAULTSETTING", "prefix", ""), "http://h/p ");
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "Suffix", ""), ".xml");
  EXPECT_EQ(GetIniValue(folder.path(), "DefaultSetting", "Half", ""), "\"x");
  EXPECT_EQ(GetIniValue(folder.path(), "RequestURL", "Prefix", ""), "second");
}

TEST(GetIniValue, QuotesKeepEveryBlankBetweenThem) {
  TempFolder folder;
  folder.write("setting.ini", "[S]\nq= \"  x  \" \nblank=\"   \"\n");
  EXPECT_EQ(GetIniValue(folder.path(), "S", "q", "d"), "  x  ");
  EXPECT_EQ(GetIniValue(folder.path(), "S", "blank", "d"), "   ");
}

TEST(GetIniValue, ValuesAreCutTo1023BytesOfTheCodePage) {
  TempFolder folder;
  const std::string exact(1023, 'a');
  const std::string longer(1100, 'b');
  // 600 two-byte characters: the cut must not leave half a character.
  std::string japanese;
  std::string japaneseSjis;
  for (int i = 0; i < 600; ++i) {
    japanese += "\xE6\x9C\xAC";
    japaneseSjis += "\x96\x7B";
  }
  folder.write("setting.ini",
               "[S]\nexact=" + exact + "\nlonger=" + longer + "\r\nja=" + japaneseSjis + "\n");
  EXPECT_EQ(GetIniValue(folder.path(), "S", "exact", ""), exact);
  EXPECT_EQ(GetIniValue(folder.path(), "S", "longer", ""), longer.substr(0, 1023));
  EXPECT_EQ(GetIniValue(folder.path(), "S", "ja", ""), japanese.substr(0, 511 * 3));
}

TEST(GetIniValue, JapaneseValuesAreReadFromTheCodePage) {
  TempFolder folder;
  folder.write("setting.ini", "[S]\nk=\x96\x7B\n");
  EXPECT_EQ(GetIniValue(folder.path(), "S", "k", ""), "\xE6\x9C\xAC");
}

TEST(GetIniValue, Utf8FilesNeverPassTheCodePageAndAreCutIn1023BytesOfUtf8) {
  TempFolder folder;
  std::string accents;
  for (int i = 0; i < 600; ++i) accents += "\xC3\xA9";  // two bytes each
  for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
    folder.write("setting.ini", bom +
                                    "[S]\nk=donn\xC3\xA9"
                                    "es\u200B\nlong=" +
                                    accents + "\n");
    EXPECT_EQ(GetIniValue(folder.path(), "S", "k", ""),
              "donn\xC3\xA9"
              "es\u200B");
    const std::string cut = GetIniValue(folder.path(), "S", "long", "");
    EXPECT_EQ(cut.size(), 1022u);
    EXPECT_TRUE(accents.starts_with(cut));
  }
}

}  // namespace
}  // namespace quillon
