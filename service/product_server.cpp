#include "service/product_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <httplib.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "service/request_log.h"
#include "service/xml_answer.h"

namespace quillon::service {

namespace {

constexpr std::string_view kPathPrefix = "/products/";
constexpr std::string_view kPathSuffix = ".xml";
constexpr const char* kXmlType = "application/xml; charset=UTF-8";
constexpr const char* kHtmlType = "text/html; charset=UTF-8";

// Arrival time of the request this thread is answering, for the log line written after the answer.
thread_local std::int64_t tArrivedMs = 0;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int socketPort(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) {
    return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
  }
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
  }
  return -1;
}

// The HTTP library gives handlers no socket, so the connection to drop is found
// among the process's descriptors by its two port numbers.
void dropConnection(int localPort, int remotePort) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    const int fd = std::atoi(entry.path().filename().c_str());
    sockaddr_storage local{};
    sockaddr_storage remote{};
    socklen_t localSize = sizeof local;
    socklen_t remoteSize = sizeof remote;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) != 0) continue;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteSize) != 0) continue;
    if (socketPort(local) == localPort && socketPort(remote) == remotePort) {
      shutdown(fd, SHUT_RDWR);
      return;
    }
  }
}

// The Retry-After a busy answer carries, if any.
std::string RetryAfterValue(const BusyPlan& busy) {
  switch (busy.retryAfter) {
    case BusyPlan::RetryAfter::None:
      return {};
    case BusyPlan::RetryAfter::Seconds:
      return std::to_string(busy.retryAfterSeconds);
    case BusyPlan::RetryAfter::Date: {
      using namespace std::chrono;
      const auto now = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
      return HttpDate(now + busy.retryAfterSeconds);
    }
  }
  return {};
}

}  // namespace

std::string HttpDate(std::int64_t unixSeconds) {
  using namespace std::chrono;
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const sys_seconds at{seconds{unixSeconds}};
  const sys_days day = floor<days>(at);
  const year_month_day date{day};
  const hh_mm_ss time{at - day};
  char text[40];
  std::snprintf(text, sizeof text, "%s, %02u %s %04d %02d:%02d:%02d GMT",
                kDays[weekday{day}.c_encoding()], static_cast<unsigned>(date.day()),
                kMonths[static_cast<unsigned>(date.month()) - 1], static_cast<int>(date.year()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string DecodePercent(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

struct ProductServer::State {
  State(ProductCatalogue catalogueIn, const ServerOptions& options)
      : catalogue(std::move(catalogueIn)),
        plan(options.faults, options.seed, options.scriptedFaults, options.busy),
        busy(options.busy),
        answerBytes(options.answerBytes),
        endlessAnswers(options.endlessAnswers),
        chunked(options.chunked) {}

  // Waits out a delayed answer unless the server is stopping.
  void pause(int ms) {
    std::unique_lock lock(stopMutex);
    stopSignal.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
  }

  void answer(const httplib::Request& request, httplib::Response& response) {
    if (request.method != "GET" && request.method != "HEAD") {
      response.status = 405;
      response.set_header("Allow", "GET, HEAD");
      response.set_content("", kHtmlType);
      return;
    }
    std::string_view path = request.target;
    path = path.substr(0, path.find('?'));
    if (!path.starts_with(kPathPrefix) || !path.ends_with(kPathSuffix) ||
        path.size() < kPathPrefix.size() + kPathSuffix.size()) {
      response.status = 404;
      response.set_content(NotFoundPage(DecodePercent(path)), kHtmlType);
      return;
    }
    ++productRequests;
    const std::string asin = DecodePercent(
        path.substr(kPathPrefix.size(), path.size() - kPathPrefix.size() - kPathSuffix.size()));
    const FaultChoice choice = plan.next();
    if (choice.delayMs > 0) pause(choice.delayMs);

    switch (choice.fault) {
      case Fault::Drop:
        dropConnection(request.local_port, request.remote_port);
        response.status = 200;
        return;
      case Fault::Empty:
        response.status = 200;
        response.set_content("", kXmlType);
        return;
      case Fault::NotFound:
        response.status = 404;
        response.set_content(NotFoundPage(DecodePercent(path)), kHtmlType);
        return;
      case Fault::Busy:
        response.status = busy.status;
        if (const std::string retryAfter = RetryAfterValue(busy); !retryAfter.empty())
          response.set_header("Retry-After", retryAfter);
        response.set_content(BusyPage(busy.status), kHtmlType);
        return;
      case Fault::None:
      case Fault::Invalid:
      case Fault::Truncate:
        break;
    }
    const bool valid = choice.fault != Fault::Invalid;
    const auto* product = catalogue.find(asin);
    std::string body =
        product ? ProductAnswer(catalogue, *product, valid) : UnknownProductAnswer(asin, valid);
    response.status = 200;
    if (endlessAnswers) {
      // The answer's start, then blanks until the client gives up.
      response.set_chunked_content_provider(
          kXmlType, [body = std::move(body), this](std::size_t offset, httplib::DataSink& sink) {
            static const std::string kBlanks(std::size_t{1} << 16, ' ');
            const std::string& piece = offset == 0 ? body : kBlanks;
            return !isStopping() && sink.write(piece.data(), piece.size());
          });
      return;
    }
    if (body.size() < answerBytes) {
      const std::size_t lastClose = body.rfind("</");
      body.insert(lastClose == std::string::npos ? body.size() : lastClose,
                  answerBytes - body.size(), ' ');
    }
    if (chunked && choice.fault != Fault::Truncate) {
      response.set_chunked_content_provider(
          kXmlType, [body = std::move(body)](std::size_t offset, httplib::DataSink& sink) {
            constexpr std::size_t kPiece = std::size_t{1} << 16;
            if (offset >= body.size()) {
              sink.done();
              return true;
            }
            return sink.write(body.data() + offset, std::min(kPiece, body.size() - offset));
          });
      return;
    }
    if (choice.fault == Fault::Truncate) {
      const std::size_t length = body.size();
      response.set_content_provider(
          length, kXmlType,
          [body = std::move(body)](std::size_t, std::size_t, httplib::DataSink& sink) {
            sink.write(body.data(), body.size() / 2);
            return false;  // closes the connection short of the announced length
          });
      return;
    }
    response.body = std::move(body);
    response.set_header("Content-Type", kXmlType);
  }

  bool isStopping() {
    const std::lock_guard lock(stopMutex);
    return stopping;
  }

  ProductCatalogue catalogue;
  FaultPlan plan;
  BusyPlan busy;
  std::size_t answerBytes;
  bool endlessAnswers;
  bool chunked;
  std::unique_ptr<RequestLog> log;
  httplib::Server server;
  std::thread thread;
  int port = 0;
  std::atomic<std::size_t> productRequests{0};
  std::atomic<bool> listenEnded{false};
  std::mutex stopMutex;
  std::condition_variable stopSignal;
  bool stopping = false;
};

ProductServer::ProductServer(ProductCatalogue catalogue, ServerOptions options)
    : state_(std::make_unique<State>(std::move(catalogue), options)) {
  if (auto checked = CheckFaultShares(options.faults); !checked) {
    throw std::runtime_error(checked.error());
  }
  if (options.port < 0 || options.port > 65535) {
    throw std::runtime_error("the port must lie between 0 and 65535");
  }
  if (!options.logPath.empty()) {
    auto log = RequestLog::Open(options.logPath);
    if (!log) throw std::runtime_error(log.error());
    state_->log = std::move(log).value();
  }
  // Writing to a connection the client has closed must fail, not end the process.
  std::signal(SIGPIPE, SIG_IGN);

  State& state = *state_;
  state.server.set_tcp_nodelay(true);
  // Only SO_REUSEADDR: the library's default SO_REUSEPORT would let a second
  // service share a port in use and take some of its requests.
  state.server.set_socket_options([](int socket) {
    const int on = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  });
  // Idle connections (such as one left after a refused request line) are freed soon.
  state.server.set_keep_alive_timeout(1);
  state.server.set_pre_routing_handler(
      [&state](const httplib::Request& request, httplib::Response& response) {
        tArrivedMs = MonotonicMs();
        state.answer(request, response);
        return httplib::Server::HandlerResponse::Handled;
      });
  state.server.set_logger([&state](const httplib::Request& request, const httplib::Response&) {
    const std::int64_t finished = MonotonicMs();
    const std::int64_t arrived = tArrivedMs != 0 ? tArrivedMs : finished;
    tArrivedMs = 0;
    if (state.log) {
      state.log->record(arrived, finished, request.target, request.get_header_value("User-Agent"));
    }
  });

  if (options.port == 0) {
    state.port = state.server.bind_to_any_port("127.0.0.1");
  } else if (state.server.bind_to_port("127.0.0.1", options.port)) {
    state.port = options.port;
  } else {
    state.port = -1;
  }
  if (state.port <= 0) {
    throw std::runtime_error("cannot listen on 127.0.0.1 port " + std::to_string(options.port));
  }
  state.thread = std::thread([&state] {
    state.server.listen_after_bind();
    state.listenEnded = true;
  });
  // stop() does nothing until the accept loop runs, so the destructor must not come sooner.
  while (!state.server.is_running() && !state.listenEnded) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

ProductServer::~ProductServer() {
  {
    std::lock_guard lock(state_->stopMutex);
    state_->stopping = true;
  }
  state_->stopSignal.notify_all();
  state_->server.stop();
  if (state_->thread.joinable()) state_->thread.join();
}

int ProductServer::port() const {
  return state_->port;
}

std::string ProductServer::prefix() const {
  return "http://127.0.0.1:" + std::to_string(state_->port) + "/products/";
}

std::size_t ProductServer::productRequests() const {
  return state_->productRequests.load();
}

}  // namespace quillon::service
