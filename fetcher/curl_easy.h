// Owners of libcurl's global state and of one easy handle.
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace quillon::fetcher {

// Initialises libcurl for the life of the program; create one in main before any
// other thread exists.
class CurlGlobal {
 public:
  CurlGlobal();
  ~CurlGlobal();
  CurlGlobal(const CurlGlobal&) = delete;
  CurlGlobal& operator=(const CurlGlobal&) = delete;
};

// One easy handle with its error buffer; released on every path.
class CurlEasy {
 public:
  CurlEasy();  // throws std::runtime_error when libcurl has no handle to give
  CurlEasy(CurlEasy&&) noexcept = default;
  CurlEasy& operator=(CurlEasy&&) noexcept = default;

  CURL* get() const { return handle_.get(); }
  // libcurl's detailed message for the last failure, or its generic text.
  std::string errorText(CURLcode code) const;

  template <class T>
  void set(CURLoption option, T value) {
    curl_easy_setopt(handle_.get(), option, value);
  }

 private:
  struct Cleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  };
  std::unique_ptr<CURL, Cleanup> handle_;
  // On the heap so that its address, given to libcurl, survives a move.
  std::unique_ptr<char[]> errorBuffer_;
};

}  // namespace quillon::fetcher
