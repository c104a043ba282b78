#include "common/working_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using testing::TempFolder;

const std::string kValid = "<x><Request><IsValid>True</IsValid></Request><Title>T</Title></x>";

TEST(Paths, ProgramFolderGetsOneSeparatorAndTheRecordFolderFollowsXmlPath) {
  EXPECT_EQ(ProgramFilePath("/", "setting.ini"), "/setting.ini");
  EXPECT_EQ(ProgramFilePath("/opt/q", "keywords.txt"), "/opt/q/keywords.txt");
  TempFolder folder;
  EXPECT_EQ(RecordFilePath(folder.path(), "a.xml"), folder.path() + "/a.xml");
  folder.write("setting.ini", "[DefaultSetting]\nXMLPath=/data/records/\n");
  EXPECT_EQ(RecordFilePath(folder.path(), "a.xml"), "/data/records//a.xml");
  folder.write("setting.ini", "[DefaultSetting]\nXMLPath=records\n");
  EXPECT_EQ(RecordFolder(folder.path()), folder.path() + "/records");
  EXPECT_EQ(RecordFolder("relative/app"), "relative/app");  // the default is not joined twice
}

TEST(IsSafeAsin, RefusesAnythingThatCouldLeaveTheRecordFolder) {
  EXPECT_TRUE(IsSafeAsin("B000123456"));
  EXPECT_TRUE(IsSafeAsin(""));
  EXPECT_TRUE(IsSafeAsin(".."));  // becomes "...xml", a file inside the folder
  EXPECT_FALSE(IsSafeAsin("../etc"));
  EXPECT_FALSE(IsSafeAsin("a/b"));
  EXPECT_FALSE(IsSafeAsin(std::string("a\0b", 3)));
  EXPECT_FALSE(IsSafeAsin("a\nb"));
  EXPECT_FALSE(IsSafeAsin("a\x7F"));
}

TEST(LoadProductRecord, ReturnsOnlyValidRecords) {
  TempFolder folder;
  folder.write("valid.xml", kValid + "\r\n");
  folder.write("lower.xml", "<Request><IsValid>true</IsValid></Request>\r\n");
  folder.write("empty.xml", "");
  folder.write("noflag.xml", "<Request></Request><Title>T</Title>\r\n");
  folder.write("cr.xml", "<Request><IsValid>True</IsValid></Request>\r<SimilarProducts/>\r\n");
  folder.write("lf.xml", "<Request><IsValid>True</IsValid></Request>\n<SimilarProducts/>\r\n");
  EXPECT_EQ(LoadProductRecord(folder.path(), "valid"), kValid);
  EXPECT_EQ(LoadProductRecord(folder.path(), "lower"), "");
  EXPECT_EQ(LoadProductRecord(folder.path(), "empty"), "");
  EXPECT_EQ(LoadProductRecord(folder.path(), "noflag"), "");
  EXPECT_EQ(LoadProductRecord(folder.path(), "missing"), "");
  // A carriage return cuts the record; a lone line feed does not.
  EXPECT_EQ(LoadProductRecord(folder.path(), "cr"), "<Request><IsValid>True</IsValid></Request>");
  EXPECT_EQ(LoadProductRecord(folder.path(), "lf"),
            "<Request><IsValid>True</IsValid></Request>\n<SimilarProducts/>");
}

TEST(LoadProductRecord, UnsafeAsinIsNoRecordEvenWhenTheFileExists) {
  TempFolder folder;
  std::filesystem::create_directory(folder.file("records"));
  folder.write("setting.ini", "[DefaultSetting]\nXMLPath=" + folder.file("records") + "\n");
  folder.write("outside.xml", kValid + "\r\n");
  EXPECT_EQ(LoadProductRecord(folder.path(), "../outside"), "");
}

TEST(WriteProductRecord, WritesOneLineAndRefusesUnsafeAsins) {
  TempFolder folder;
  ASSERT_TRUE(WriteProductRecord(folder.path(), "B1", kValid).ok());
  EXPECT_EQ(folder.read("B1.xml"), kValid + "\r\n");
  EXPECT_EQ(LoadProductRecord(folder.path(), "B1"), kValid);
  ASSERT_TRUE(WriteProductRecord(folder.path(), "", kValid).ok());
  EXPECT_TRUE(folder.exists(".xml"));
  const Status refused = WriteProductRecord(folder.path(), "../B2", kValid);
  EXPECT_FALSE(refused.ok());
  EXPECT_NE(refused.error().find("../B2"), std::string::npos);
}

TEST(WriteProductRecord, AnExistingRecordSurvivesAFailedWrite) {
  TempFolder folder;
  folder.write("setting.ini", "[DefaultSetting]\nXMLPath=" + folder.file("rec") + "\n");
  std::filesystem::create_directory(folder.file("rec"));
  ASSERT_TRUE(WriteProductRecord(folder.path(), "B1", kValid).ok());
  std::filesystem::permissions(
      folder.file("rec"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (::geteuid() != 0) {  // root may write anyway
    EXPECT_FALSE(WriteProductRecord(folder.path(), "B1", "other").ok());
  }
  EXPECT_EQ(LoadProductRecord(folder.path(), "B1"), kValid);
}

TEST(StartProductAsin, WrittenAsOneLineAndOnlyTheFirstLineIsRead) {
  TempFolder folder;
  ASSERT_TRUE(WriteStartProductAsin(folder.path(), "b00abc").ok());
  EXPECT_EQ(folder.read("StartProductASIN.txt"), "b00abc\r\n");
  folder.write("StartProductASIN.txt", "A1\r\nA2\r\n");
  EXPECT_EQ(ReadStartProductAsin(folder.path()).value(), "A1");
  folder.write("StartProductASIN.txt", "B00004MPDD\n");  // echo B00004MPDD > ...
  EXPECT_EQ(ReadStartProductAsin(folder.path()).value(), "B00004MPDD");
  folder.write("StartProductASIN.txt", "");
  EXPECT_FALSE(ReadStartProductAsin(folder.path()).ok());
}

TEST(StartProductAsin, MakesAMissingRecordFolderAndNamesTheFileWhenItCannot) {
  TempFolder folder;
  folder.write("setting.ini", "[DefaultSetting]\r\nXMLPath=records/new\r\n");
  ASSERT_TRUE(WriteStartProductAsin(folder.path(), "A1").ok());
  EXPECT_EQ(folder.read("records/new/StartProductASIN.txt"), "A1\r\n");
  ASSERT_TRUE(WriteProductRecord(folder.path(), "A1", kValid).ok());
  EXPECT_EQ(LoadProductRecord(folder.path(), "A1"), kValid);

  // A file where the folder should be: nothing is replaced, the failure names the file.
  folder.write("setting.ini", "[DefaultSetting]\r\nXMLPath=blocked\r\n");
  folder.write("blocked", "a user's file");
  const Status refused = WriteStartProductAsin(folder.path(), "A1");
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.error().find("blocked/StartProductASIN.txt"), std::string::npos);
  EXPECT_EQ(folder.read("blocked"), "a user's file");
}

TEST(ReadKeywords, EveryLineIsAKeywordLfEndsLinesOnlyInAFileWithoutCr) {
  TempFolder folder;
  EXPECT_FALSE(ReadKeywords(folder.path()).ok());
  folder.write("keywords.txt", "a\r\n\r\nb");
  EXPECT_EQ(ReadKeywords(folder.path()).value(), (std::vector<std::string>{"a", "", "b"}));
  folder.write("keywords.txt", "cat\nguide\n");  // printf 'cat\nguide\n'
  EXPECT_EQ(ReadKeywords(folder.path()).value(), (std::vector<std::string>{"cat", "guide"}));
  folder.write("keywords.txt", "a\nb\r\n");
  EXPECT_EQ(ReadKeywords(folder.path()).value(), (std::vector<std::string>{"a\nb"}));
}

}  // namespace
}  // namespace quillon
