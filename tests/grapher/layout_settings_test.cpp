#include "grapher/layout/layout_settings.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "tests/support/temp_folder.h"

namespace quillon::grapher {
namespace {

LayoutSettings Read(const std::string& lines, bool withKeyWordDistances = true) {
  quillon::testing::TempFolder folder;
  if (!lines.empty()) folder.write("setting.ini", "[DefaultSetting]\r\n" + lines);
  LayoutSettings settings;
  settings.GraphSameKeyWordDistance = 7;  // must survive a read without the distances
  ReadLayoutSettings(folder.path(), settings, withKeyWordDistances);
  return settings;
}

TEST(LayoutSettingsTest, MissingFileGivesTheDefaults) {
  const LayoutSettings s = Read("");
  EXPECT_EQ(s.GraphDefaultDistance, 40);
  EXPECT_EQ(s.GraphSameKeyWordDistance, 10);
  EXPECT_EQ(s.GraphDifferentKeyWordDistance, 80);
  EXPECT_EQ(s.CloseCount, 1);
  EXPECT_EQ(s.ProductCloseForce, 0.05f);
  EXPECT_EQ(s.ProductCloseForceByKeyWord, 0.05f);
  EXPECT_EQ(s.KeyWordCloseForce, 0.05f);
  EXPECT_FALSE(s.DrawProductName || s.DrawCircle || s.DrawLine || s.DrawKeyWord);
  EXPECT_EQ(Read("", false).GraphSameKeyWordDistance, 7);
}

struct Row {
  const char* name;
  const char* line;
  double value;  // of the key the line sets
};

class Conversion : public ::testing::TestWithParam<Row> {};

TEST_P(Conversion, ReadsTheKeysValue) {
  const Row& row = GetParam();
  const LayoutSettings s = Read(std::string(row.line) + "\r\n");
  const std::string key = std::string(row.line).substr(0, std::string(row.line).find('='));
  const double actual = key == "CloseCount"                 ? double(s.CloseCount)
                        : key == "GraphSameKeyWordDistance" ? double(s.GraphSameKeyWordDistance)
                                                            : double(s.DrawProductName);
  EXPECT_EQ(actual, row.value);
}

constexpr double kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr double kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr double kFloatMax = std::numeric_limits<float>::max();

INSTANTIATE_TEST_SUITE_P(
    Rows, Conversion,
    ::testing::Values(
        Row{"LeadingNumber", "GraphSameKeyWordDistance=12.5abc", 12.5},
        Row{"NoNumber", "GraphSameKeyWordDistance=abc", 0},
        Row{"BeyondFloatRange", "GraphSameKeyWordDistance=1e300", kFloatMax},
        Row{"TieDown", "CloseCount=2.5", 2}, Row{"TieUp", "CloseCount=3.5", 4},
        Row{"CountText", "CloseCount=many", 0}, Row{"HugeCount", "CloseCount=1e20", kIntMax},
        Row{"HugeNegativeCount", "CloseCount=-1e20", kIntMin},
        Row{"Upper", "DrawProductName=TRUE", 1}, Row{"Lower", "DrawProductName=true", 1},
        Row{"One", "DrawProductName=1", 1}, Row{"Fraction", "DrawProductName=-2.5", 1},
        Row{"Zero", "DrawProductName=0", 0}, Row{"FalseWord", "DrawProductName=fAlSe", 0},
        Row{"NeitherWordNorNumber", "DrawProductName=yes", 0},
        Row{"NumberAndText", "DrawProductName=1x", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawingChoicesTest, FitAndSeedFromTheSettings) {
  const struct {
    const char* lines;
    bool fit;
    std::uint32_t seed;
  } rows[] = {
      {"", false, 0},
      {"FitAfterDrawing=True\r\nRandomSeed=42\r\n", true, 42},
      {"FitAfterDrawing=1\r\nRandomSeed=4294967295\r\n", true, 4294967295u},
      {"RandomSeed=4294967296\r\n", false, 0},  // beyond any seed: new directions
      {"RandomSeed=-5\r\n", false, 0},
      {"RandomSeed=1.5\r\n", false, 0},
      {"RandomSeed=abc\r\nFitAfterDrawing=maybe\r\n", false, 0},
      {"RandomSeed=12px\r\n", false, 12},  // the leading number, as every number setting
  };
  for (const auto& row : rows) {
    quillon::testing::TempFolder folder;
    if (*row.lines != '\0')
      folder.write("setting.ini", std::string("[DefaultSetting]\r\n") + row.lines);
    const DrawingChoices choices = ReadDrawingChoices(folder.path());
    EXPECT_EQ(choices.FitAfterDrawing, row.fit) << row.lines;
    EXPECT_EQ(choices.RandomSeed, row.seed) << row.lines;
  }
}

}  // namespace
}  // namespace quillon::grapher
