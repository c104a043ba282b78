#include "fetcher/product_request.h"

#include <utility>

#include "common/ini_file.h"
#include "common/numbers.h"
#include "common/working_folder.h"

namespace quillon::fetcher {
namespace {

constexpr std::int64_t kDefaultIntervalMs = 1000;

bool carriedAsIs(char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("-._~!$&'()*+,;=:@").find(c) != std::string_view::npos;
}

}  // namespace

std::string UrlAsin(std::string_view asin) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string url;
  url.reserve(asin.size());
  for (const char c : asin) {
    if (carriedAsIs(c)) {
      url.push_back(c);
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    url.push_back('%');
    url.push_back(kHex[byte >> 4]);
    url.push_back(kHex[byte & 0x0F]);
  }
  return url;
}

std::string RequestUrlPrefix(const std::string& programFolder) {
  return GetIniValue(programFolder, "RequestURL", "Prefix", "");
}

std::int64_t RequestIntervalMs(const std::string& programFolder) {
  const std::string text = GetIniValue(programFolder, "DefaultSetting", "RequestInterval", "1000");
  if (!IsNumber(text)) return kDefaultIntervalMs;
  return RoundToInt32(LeadingNumber(text));
}

ProductRequester::ProductRequester(std::string programFolder, Host& host, Clock& clock,
                                   HttpGetter get)
    : programFolder_(std::move(programFolder)), host_(host), clock_(clock), get_(std::move(get)) {}

std::string ProductRequester::requestUrl(const std::string& asin) const {
  return RequestUrlPrefix(programFolder_) + UrlAsin(asin) +
         GetIniValue(programFolder_, "RequestURL", "Suffix", "");
}

std::int64_t ProductRequester::pauseBeforeRequest() {
  const std::int64_t elapsed = clock_.nowMs() - lastRequestTick_;
  const std::int64_t interval = RequestIntervalMs(programFolder_);
  return elapsed >= 0 && elapsed < interval ? interval - elapsed : 0;
}

std::string ProductRequester::RequestProduct(const std::string& asin) {
  const std::string url = requestUrl(asin);
  if (const std::int64_t pause = pauseBeforeRequest(); pause > 0) clock_.sleepMs(pause);
  host_.setLabel(Label::Status, host_.text(kRequestingPrefix) + asin);

  lastRequestAnswered_ = false;
  std::string text = FetchUrlText(
      host_, url,
      [this](const std::string& u, std::vector<std::uint8_t>& buffer, std::string& reason) {
        const std::int32_t count = get_(u, buffer, reason);
        lastRequestAnswered_ = count != 0;
        return count;
      });
  lastRequestTick_ = clock_.nowMs();

  const bool valid = IsValidResponse(text);
  // Built in one piece: a hostile answer's title can be as long as the answer.
  std::string label = host_.text(kRequestedPrefix);
  label += asin;
  label += ' ';
  label += RecordTitle(text);
  host_.setLabel(Label::Status, label);
  if (!valid) return {};
  return text;
}

}  // namespace quillon::fetcher
