// The product web service on a loopback port: serves a catalogue over HTTP on a
// background thread from construction until destruction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/fault_plan.h"
#include "service/product_catalogue.h"

namespace quillon::service {

struct ServerOptions {
  int port = 0;  // 0 picks a free port
  FaultShares faults;
  std::optional<std::uint64_t> seed;  // fixes the fault sequence
  std::vector<Fault> scriptedFaults;  // given to the first product requests, before any share
  BusyPlan busy;                      // product requests answered 429/503 before anything else
  std::string logPath;                // empty: no request log
  // Product answers are padded with blanks before their last closing tag to at
  // least this many bytes; 0: as they are. For trying a client's limits.
  std::size_t answerBytes = 0;
  bool endlessAnswers = false;  // product answers that never end
  bool chunked = false;         // product answers without Content-Length
};

class ProductServer {
 public:
  // Binds 127.0.0.1 and starts serving; throws std::runtime_error with a
  // readable message when the port, the log file or the options are unusable.
  explicit ProductServer(ProductCatalogue catalogue, ServerOptions options = {});
  // Stops accepting, cuts short any delayed answer and joins the serving thread.
  ~ProductServer();
  ProductServer(const ProductServer&) = delete;
  ProductServer& operator=(const ProductServer&) = delete;

  int port() const;
  // The request URL of an ASIN is prefix() + ASIN + suffix().
  std::string prefix() const;
  std::string suffix() const { return ".xml"; }
  std::string url(std::string_view asin) const { return prefix() + std::string(asin) + suffix(); }

  // Product requests received so far.
  std::size_t productRequests() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// An HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT") of seconds since 1970 UTC.
std::string HttpDate(std::int64_t unixSeconds);

// Percent-decodes a URL path piece; a "%" not followed by two hex digits stays as it is.
std::string DecodePercent(std::string_view text);

}  // namespace quillon::service
