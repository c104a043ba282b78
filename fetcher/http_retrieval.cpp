#include "fetcher/http_retrieval.h"

#include <algorithm>
#include <limits>

#include "fetcher/curl_easy.h"
#include "fetcher/utf8_decoder.h"

namespace quillon::fetcher {
namespace {

// Reserving more than this on the strength of a Content-Length alone is not wise.
constexpr curl_off_t kLargestReservation = curl_off_t{256} << 20;

struct Transfer {
  CURL* handle = nullptr;
  std::vector<std::uint8_t>* body = nullptr;
  bool reserved = false;
};

// libcurl hands the body over in pieces; they are appended in place.
std::size_t AppendBodyPiece(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& transfer = *static_cast<Transfer*>(userData);
  const std::size_t bytes = size * count;
  if (!transfer.reserved) {
    transfer.reserved = true;
    curl_off_t length = -1;
    if (curl_easy_getinfo(transfer.handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) ==
            CURLE_OK &&
        length > 0)
      transfer.body->reserve(static_cast<std::size_t>(std::min(length, kLargestReservation)));
  }
  const auto* first = reinterpret_cast<const std::uint8_t*>(data);
  transfer.body->insert(transfer.body->end(), first, first + bytes);
  return bytes;
}

}  // namespace

std::int32_t HttpGetBytes(std::string_view url, std::vector<std::uint8_t>& buffer,
                          std::string_view proxyName, const HttpTimeouts& timeouts,
                          std::string* failure) {
  if (url.empty()) return 0;
  buffer.clear();
  CurlEasy curl;
  Transfer transfer{curl.get(), &buffer};
  const std::string urlText(url);
  const std::string proxyText(proxyName);
  curl.set(CURLOPT_URL, urlText.c_str());
  curl.set(CURLOPT_USERAGENT, kUserAgent.data());
  curl.set(CURLOPT_FOLLOWLOCATION, 1L);
  curl.set(CURLOPT_MAXREDIRS, 20L);
  curl.set(CURLOPT_NOSIGNAL, 1L);
  curl.set(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
  curl.set(CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl.set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(timeouts.stall.count()));
  curl.set(CURLOPT_WRITEFUNCTION, &AppendBodyPiece);
  curl.set(CURLOPT_WRITEDATA, static_cast<void*>(&transfer));
  if (!proxyText.empty()) curl.set(CURLOPT_PROXY, proxyText.c_str());
  // A fresh copy from the server every time, never one held by a cache on the way.
  curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(
      headers, &curl_slist_free_all);
  curl.set(CURLOPT_HTTPHEADER, headerList.get());

  const CURLcode code = curl_easy_perform(curl.get());
  if (failure != nullptr) *failure = code == CURLE_OK ? std::string() : curl.errorText(code);
  // A body that broke off is no answer: its first part can pass the validity test
  // and would be stored as the product's record without the rest.
  if (code != CURLE_OK) buffer.clear();
  if (buffer.empty()) {
    buffer.shrink_to_fit();
    return 0;
  }
  return static_cast<std::int32_t>(
      std::min<std::size_t>(buffer.size(), std::numeric_limits<std::int32_t>::max()));
}

HttpGetter MakeCurlGetter(HttpTimeouts timeouts) {
  return [timeouts](const std::string& url, std::vector<std::uint8_t>& buffer) {
    return HttpGetBytes(url, buffer, "", timeouts);
  };
}

void AskToContinue(Host& host, std::string_view url, std::string_view tail) {
  std::string question(url);
  question += tail;
  if (!host.askYesNo(question)) throw EndProgram{};
}

std::string FetchUrlText(Host& host, const std::string& url, const HttpGetter& get) {
  std::vector<std::uint8_t> buffer;
  const std::int32_t count = get(url, buffer);
  if (count != 0)
    return Utf8ToString(std::span(buffer.data(), static_cast<std::size_t>(count)), "");
  AskToContinue(host, url);
  return {};
}

}  // namespace quillon::fetcher
