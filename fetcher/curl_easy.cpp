#include "fetcher/curl_easy.h"

#include <stdexcept>

namespace quillon::fetcher {

CurlGlobal::CurlGlobal() {
  if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
    throw std::runtime_error("libcurl could not be initialised");
}

CurlGlobal::~CurlGlobal() {
  curl_global_cleanup();
}

CurlEasy::CurlEasy()
    : handle_(curl_easy_init()), errorBuffer_(std::make_unique<char[]>(CURL_ERROR_SIZE)) {
  if (!handle_) throw std::runtime_error("libcurl could not create a transfer handle");
  errorBuffer_[0] = '\0';
  set(CURLOPT_ERRORBUFFER, errorBuffer_.get());
}

std::string CurlEasy::errorText(CURLcode code) const {
  if (errorBuffer_ && errorBuffer_[0] != '\0') return errorBuffer_.get();
  return curl_easy_strerror(code);
}

}  // namespace quillon::fetcher
