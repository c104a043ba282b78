#include "fetcher/fetcher_settings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/ini_file.h"
#include "common/numbers.h"
#include "common/working_folder.h"

namespace quillon::fetcher {
namespace {

constexpr std::string_view kSection = "DefaultSetting";
constexpr std::int64_t kDefaultIntervalMs = 1000;
constexpr double kDefaultMaxAnswerMegabytes = 64;
constexpr double kDefaultAnswerTimeoutSeconds = 300;
// A year: as good as no limit, and no overflow.
constexpr double kLongestAnswerTimeoutSeconds = 365.0 * 24 * 60 * 60;
constexpr double kMsPerDay = 24.0 * 60 * 60 * 1000;
// A hundred years: as good as any age, and no overflow.
constexpr double kLongestAgeDays = 36'500;

std::int64_t intervalMs(const std::string& text) {
  if (!IsNumber(text)) return kDefaultIntervalMs;
  return RoundToInt32(LeadingNumber(text));
}

// A whole count; 0 for none (0, less, or not a number).
int countOf(const std::string& text) {
  if (!IsNumber(text)) return 0;
  return std::max(RoundToInt32(LeadingNumber(text)), 0);
}

std::int64_t maxAnswerBytes(const std::string& text) {
  const double megabytes = IsNumber(text) ? LeadingNumber(text) : kDefaultMaxAnswerMegabytes;
  if (!(megabytes > 0)) return 0;
  // Far beyond any answer: as good as no cap, and no overflow.
  if (megabytes >= 1 << 20) return std::int64_t{1} << 40;
  return static_cast<std::int64_t>(std::floor(megabytes * (1 << 20)));
}

std::int64_t answerTimeoutMs(const std::string& text) {
  const double seconds = IsNumber(text) ? LeadingNumber(text) : kDefaultAnswerTimeoutSeconds;
  if (!(seconds > 0)) return 0;
  return std::max<std::int64_t>(
      std::llround(std::min(seconds, kLongestAnswerTimeoutSeconds) * 1000), 1);
}

std::int64_t maxAgeMs(const std::string& days) {
  if (!IsNumber(days) || !(LeadingNumber(days) > 0)) return 0;
  return std::max<std::int64_t>(
      static_cast<std::int64_t>(std::min(LeadingNumber(days), kLongestAgeDays) * kMsPerDay), 1);
}

}  // namespace

FetcherSettings ReadFetcherSettings(const std::string& programFolder) {
  const IniFile ini = IniFile::Read(programFolder);
  FetcherSettings settings;
  settings.recordFolder = RecordFolderOf(programFolder, ini.value(kSection, "XMLPath", ""));
  settings.prefix = ini.value("RequestURL", "Prefix", "");
  settings.suffix = ini.value("RequestURL", "Suffix", "");
  settings.requestIntervalMs = intervalMs(ini.value(kSection, "RequestInterval", "1000"));
  settings.retryCount = countOf(ini.value(kSection, "RetryCount", "0"));
  settings.maxAnswerBytes = maxAnswerBytes(ini.value(kSection, "MaxAnswerMegabytes", "64"));
  settings.answerTimeoutMs = answerTimeoutMs(ini.value(kSection, "AnswerTimeoutSeconds", "300"));
  settings.storedRecords.reuse = ReadFlag(ini.value(kSection, "ReuseStoredRecords", "False"));
  settings.storedRecords.maxAgeMs = maxAgeMs(ini.value(kSection, "StoredRecordMaxAgeDays", "0"));
  settings.limits.maxProducts = countOf(ini.value(kSection, "MaxProducts", "0"));
  if (const int depth = countOf(ini.value(kSection, "MaxDepth", "0")); depth > 0)
    settings.limits.maxDepth = depth;
  return settings;
}

}  // namespace quillon::fetcher
