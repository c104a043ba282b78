#include "fetcher/crawl_settings.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "common/ini_file.h"
#include "common/numbers.h"

namespace quillon::fetcher {
namespace {

constexpr std::string_view kSection = "DefaultSetting";
constexpr double kMsPerDay = 24.0 * 60 * 60 * 1000;
// A hundred years: as good as any age, and no overflow.
constexpr double kLongestAgeDays = 36'500;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The same reading as every other True/False setting of the system.
bool readFlag(const std::string& folder, std::string_view key) {
  const std::string text = GetIniValue(folder, kSection, key, "False");
  if (equalsIgnoringCase(text, "true")) return true;
  if (equalsIgnoringCase(text, "false")) return false;
  return IsNumber(text) && LeadingNumber(text) != 0;
}

}  // namespace

StoredRecordPolicy ReadStoredRecordPolicy(const std::string& programFolder) {
  StoredRecordPolicy policy;
  policy.reuse = readFlag(programFolder, "ReuseStoredRecords");
  const std::string days = GetIniValue(programFolder, kSection, "StoredRecordMaxAgeDays", "0");
  if (IsNumber(days) && LeadingNumber(days) > 0)
    policy.maxAgeMs = std::max<std::int64_t>(
        static_cast<std::int64_t>(std::min(LeadingNumber(days), kLongestAgeDays) * kMsPerDay), 1);
  return policy;
}

int RetryCount(const std::string& programFolder) {
  const std::string text = GetIniValue(programFolder, kSection, "RetryCount", "0");
  if (!IsNumber(text)) return 0;
  return std::max(RoundToInt32(LeadingNumber(text)), 0);
}

}  // namespace quillon::fetcher
