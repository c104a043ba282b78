#include "grapher/layout/layout_settings.h"

#include <cmath>
#include <string_view>

#include "common/ini_file.h"
#include "common/numbers.h"
#include "grapher/layout/single_float.h"

namespace quillon::grapher {
namespace {

constexpr std::string_view kSection = "DefaultSetting";

struct Reader {
  const IniFile ini;

  float single(std::string_view key, std::string_view fallback) const {
    return ToSingle(LeadingNumber(ini.value(kSection, key, fallback)));
  }
  std::int32_t count(std::string_view key, std::string_view fallback) const {
    return RoundToInt32(LeadingNumber(ini.value(kSection, key, fallback)));
  }
  bool flag(std::string_view key, std::string_view fallback) const {
    return ReadFlag(ini.value(kSection, key, fallback));
  }
};

}  // namespace

void ReadLayoutSettings(const std::string& programFolder, LayoutSettings& settings,
                        bool withKeyWordDistances) {
  const Reader read{IniFile::Read(programFolder)};
  settings.GraphDefaultDistance = read.single("GraphDefaultDistance", "40");
  if (withKeyWordDistances) {
    settings.GraphSameKeyWordDistance = read.single("GraphSameKeyWordDistance", "10");
    settings.GraphDifferentKeyWordDistance = read.single("GraphDifferentKeyWordDistance", "80");
  }
  settings.CloseCount = read.count("CloseCount", "1");
  settings.ProductCloseForce = read.single("ProductCloseForce", "0.05");
  settings.ProductCloseForceByKeyWord = read.single("ProductCloseForceByKeyWord", "0.05");
  settings.KeyWordCloseForce = read.single("KeyWordCloseForce", "0.05");
  settings.DrawProductName = read.flag("DrawProductName", "False");
  settings.DrawCircle = read.flag("DrawCircle", "False");
  settings.DrawLine = read.flag("DrawLine", "False");
  settings.DrawKeyWord = read.flag("DrawKeyWord", "False");
}

DrawingChoices ReadDrawingChoices(const std::string& programFolder) {
  const Reader read{IniFile::Read(programFolder)};
  DrawingChoices choices;
  choices.FitAfterDrawing = read.flag("FitAfterDrawing", "False");
  const double seed = LeadingNumber(read.ini.value(kSection, "RandomSeed", "0"));
  if (seed >= 1 && seed <= 4294967295.0 && seed == std::floor(seed))
    choices.RandomSeed = static_cast<std::uint32_t>(seed);
  return choices;
}

}  // namespace quillon::grapher
