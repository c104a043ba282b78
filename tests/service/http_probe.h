// A bare-socket HTTP GET for the service tests: the exact bytes a server sent,
// including answers cut short or missing, which a full client would hide.
#pragma once

#include <string>
#include <string_view>

namespace quillon::testing {

struct RawAnswer {
  bool connected = false;
  std::string bytes;  // everything received until the server closed
  int status() const;
  std::string header(std::string_view name) const;  // "" when absent
  std::string body() const;
};

// Sends one GET with "Connection: close" to 127.0.0.1:port and reads to the end.
RawAnswer RawGet(int port, std::string_view target, std::string_view userAgent = "probe/1.0");

}  // namespace quillon::testing
