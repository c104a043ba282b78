#include "tests/service/http_probe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace quillon::testing {

int RawAnswer::status() const {
  // "HTTP/1.1 200 OK"
  if (bytes.size() < 12 || bytes.rfind("HTTP/", 0) != 0) return 0;
  return std::atoi(bytes.c_str() + bytes.find(' ') + 1);
}

std::string RawAnswer::header(std::string_view name) const {
  const auto headEnd = bytes.find("\r\n\r\n");
  std::size_t start = bytes.find("\r\n");
  while (start != std::string::npos && start < headEnd) {
    start += 2;
    const auto end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end - start);
    const auto colon = line.find(':');
    if (colon == name.size()) {
      bool same = true;
      for (std::size_t i = 0; i < colon; ++i) {
        same = same && std::tolower(static_cast<unsigned char>(line[i])) ==
                           std::tolower(static_cast<unsigned char>(name[i]));
      }
      if (same) return line.substr(line.find_first_not_of(' ', colon + 1));
    }
    start = end;
  }
  return "";
}

std::string RawAnswer::body() const {
  const auto headEnd = bytes.find("\r\n\r\n");
  return headEnd == std::string::npos ? "" : bytes.substr(headEnd + 4);
}

RawAnswer RawGet(int port, std::string_view target, std::string_view userAgent) {
  RawAnswer answer;
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return answer;
  timeval timeout{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    answer.connected = true;
    std::string request = "GET " + std::string(target) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                          "User-Agent: " + std::string(userAgent) + "\r\nConnection: close\r\n\r\n";
    std::size_t sent = 0;
    while (sent < request.size()) {
      const ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    char buffer[65536];
    ssize_t got;
    while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0) {
      answer.bytes.append(buffer, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  return answer;
}

}  // namespace quillon::testing
