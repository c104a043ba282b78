#include "fetcher/http_retrieval.h"

#include <gtest/gtest.h>

#include <ostream>

#include <chrono>
#include <fstream>
#include <sstream>

#include "common/working_folder.h"
#include "fetcher/curl_easy.h"
#include "fetcher/fetcher_settings.h"
#include "service/product_server.h"
#include "service/xml_answer.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace quillon::fetcher {
namespace {

using service::Fault;
using service::ProductCatalogue;
using service::ProductServer;
using service::ServerOptions;
using testing::FakeHost;

const CurlGlobal curlForTests;

ProductCatalogue Catalogue(std::string longTitle = "x") {
  ProductCatalogue catalogue;
  EXPECT_TRUE(catalogue.add({"A", "日本の本", 12, {"B", "Z"}}).ok());
  EXPECT_TRUE(catalogue.add({"B", "Second", 3, {}}).ok());
  EXPECT_TRUE(catalogue.add({"L", std::move(longTitle), 1, {}}).ok());
  return catalogue;
}

std::string AnswerFor(const ProductCatalogue& catalogue, const std::string& asin) {
  return service::ProductAnswer(catalogue, *catalogue.find(asin));
}

std::string AsText(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

ServerOptions Scripted(std::vector<Fault> faults) {
  ServerOptions options;
  options.scriptedFaults = std::move(faults);
  return options;
}

// A port on which nobody listens: one a server held until a moment ago.
int ClosedPort() {
  const ProductServer server(ProductCatalogue{});
  return server.port();
}

TEST(HttpGetBytes, ValidAnswerArrivesWhole) {
  const ProductCatalogue catalogue = Catalogue();
  const ProductServer server(catalogue);
  std::vector<std::uint8_t> buffer;
  const std::int32_t count = HttpGetBytes(server.url("A"), buffer, "");
  EXPECT_EQ(AsText(buffer), AnswerFor(catalogue, "A"));
  EXPECT_EQ(count, static_cast<std::int32_t>(buffer.size()));
}

struct FailureCase {
  const char* name;
  Fault fault;
  bool bodyExpected;
  TransportErrorKind error;  // what the transfer itself reports, apart from the status
  // CTest lists a row by its name.
  friend void PrintTo(const FailureCase& row, std::ostream* out) { *out << row.name; }
};

class ServerFaultTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ServerFaultTest, HttpStatusIsNotExaminedAndOnlyNoOrACutBodyCountsAsFailure) {
  const FailureCase& c = GetParam();
  const ProductCatalogue catalogue = Catalogue();
  const ProductServer server(catalogue, Scripted({c.fault}));
  std::vector<std::uint8_t> buffer{1, 2, 3};
  const HttpResult result = HttpGet(server.url("A"), buffer, "");
  const std::int32_t count = result.bytes;
  EXPECT_EQ(count, static_cast<std::int32_t>(buffer.size()));
  EXPECT_EQ(result.error.kind, c.error);
  EXPECT_EQ(count > 0, c.bodyExpected);
  if (c.fault == Fault::NotFound) {
    EXPECT_NE(AsText(buffer).find("404"), std::string::npos);
  }
  if (c.fault == Fault::Truncate) {
    EXPECT_FALSE(result.error.message.empty());  // the transfer broke off, so its part is dropped
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ServerFaultTest,
    ::testing::Values(
        FailureCase{"NotFoundPage", Fault::NotFound, true, TransportErrorKind::None},
        FailureCase{"InvalidAnswer", Fault::Invalid, true, TransportErrorKind::None},
        FailureCase{"CutOffMidway", Fault::Truncate, false, TransportErrorKind::Connection},
        FailureCase{"EmptyBody", Fault::Empty, false, TransportErrorKind::None},
        FailureCase{"DroppedConnection", Fault::Drop, false, TransportErrorKind::Connection}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(HttpGetBytes, UnusableUrlsGiveNothing) {
  std::vector<std::uint8_t> buffer{7};
  EXPECT_EQ(HttpGetBytes("", buffer, ""), 0);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>{7});  // left as it was
  EXPECT_EQ(HttpGet("", buffer, "").error.kind, TransportErrorKind::BadUrl);
  const HttpResult refused =
      HttpGet("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/products/A.xml", buffer, "");
  EXPECT_EQ(refused.bytes, 0);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(refused.error.kind, TransportErrorKind::Connection);
  EXPECT_FALSE(refused.error.message.empty());
  EXPECT_EQ(refused.status, 0);
  const HttpResult unusable = HttpGet("not a url at all", buffer, "");
  EXPECT_EQ(unusable.bytes, 0);
  EXPECT_TRUE(unusable.error);
}

TEST(HttpGetBytes, BodyOfFortyThousandBytesIsCutToSize) {
  const std::size_t frame = AnswerFor(Catalogue(), "L").size() - 1;
  const ProductCatalogue catalogue = Catalogue(std::string(40000 - frame, 'x'));
  ASSERT_EQ(AnswerFor(catalogue, "L").size(), 40000u);
  const ProductServer server(catalogue);
  std::vector<std::uint8_t> buffer;
  EXPECT_EQ(HttpGetBytes(server.url("L"), buffer, ""), 40000);
  EXPECT_EQ(buffer.size(), 40000u);
  EXPECT_EQ(AsText(buffer), AnswerFor(catalogue, "L"));
}

TEST(HttpGetBytes, FiftyMegabyteBodyComesThrough) {
  const ProductCatalogue catalogue = Catalogue(std::string(50u << 20, 'y'));
  const ProductServer server(catalogue);
  std::vector<std::uint8_t> buffer;
  const std::int32_t count = HttpGetBytes(server.url("L"), buffer, "");
  EXPECT_GT(count, 50 << 20);
  EXPECT_EQ(AsText(buffer), AnswerFor(catalogue, "L"));
}

TEST(HttpGetBytes, SendsTheUserAgentToTheServer) {
  testing::TempFolder folder;
  ServerOptions options;
  options.logPath = folder.file("requests.log");
  {
    const ProductServer server(Catalogue(), options);
    std::vector<std::uint8_t> buffer;
    ASSERT_GT(HttpGetBytes(server.url("B"), buffer, ""), 0);
  }
  const std::string log = folder.read("requests.log");
  EXPECT_NE(log.find("/products/B.xml"), std::string::npos);
  EXPECT_NE(log.find("\tVelkarion/1.00 (QuillonGetTest/1.00)"), std::string::npos);
}

TEST(HttpGetBytes, ProxyNameIsUsed) {
  const ProductServer server(Catalogue());
  std::vector<std::uint8_t> buffer;
  const std::string deadProxy = "127.0.0.1:" + std::to_string(ClosedPort());
  EXPECT_EQ(HttpGetBytes(server.url("A"), buffer, deadProxy), 0);
  EXPECT_GT(HttpGetBytes(server.url("A"), buffer, ""), 0);
}

TEST(HttpGetBytes, StalledServerIsGivenUp) {
  ServerOptions options;
  options.faults.delay = 1;
  options.faults.delayMs = 20'000;
  const ProductServer server(Catalogue(), options);
  std::vector<std::uint8_t> buffer;
  const auto started = std::chrono::steady_clock::now();
  const HttpResult result = HttpGet(server.url("A"), buffer, "",
                                    {std::chrono::milliseconds(500), std::chrono::seconds(1)});
  EXPECT_EQ(result.bytes, 0);
  EXPECT_EQ(result.error.kind, TransportErrorKind::TimedOut);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

// The stop check ends a transfer that is waiting for a late answer, and what it
// throws comes out only after libcurl has returned.
TEST(HttpGetBytes, StopCheckEndsATransferInFlight) {
  ServerOptions options;
  options.faults.delay = 1;
  options.faults.delayMs = 60'000;
  const ProductServer server(Catalogue(), options);
  std::vector<std::uint8_t> buffer;
  HttpTimeouts limits;
  int checks = 0;
  limits.stopRequested = [&] { return ++checks >= 3; };
  const HttpResult stopped = HttpGet(server.url("A"), buffer, "", limits);
  EXPECT_EQ(stopped.bytes, 0);
  EXPECT_EQ(stopped.error.kind, TransportErrorKind::Cancelled);
  limits.stopRequested = []() -> bool { throw EndProgram{7}; };
  try {
    HttpGet(server.url("A"), buffer, "", limits);
    ADD_FAILURE() << "the stop check's exception was lost";
  } catch (const EndProgram& end) {
    EXPECT_EQ(end.exitCode, 7);
  }
}

TEST(FailureReason, NamesWhatTheUserCanChange) {
  FakeHost host;
  HttpResult busy(10);
  busy.status = 503;
  HttpResult tooLarge;
  tooLarge.error = {TransportErrorKind::TooLarge, "", 65536};
  HttpResult noMemory;
  noMemory.error = {TransportErrorKind::OutOfMemory, "", 0};
  HttpResult slow;
  slow.error.kind = TransportErrorKind::TimedOut;
  slow.error.answerLimitMs = 2500;
  HttpResult stalled;
  stalled.error.kind = TransportErrorKind::TimedOut;
  HttpResult refused;
  refused.error = {TransportErrorKind::Connection, "Connection refused", 0};
  EXPECT_NE(FailureReason(busy, host).find("HTTP 503"), std::string::npos);
  EXPECT_EQ(FailureReason(tooLarge, host), AnswerTooLargeText(65536));
  EXPECT_NE(FailureReason(noMemory, host).find("MaxAnswerMegabytes"), std::string::npos);
  EXPECT_NE(FailureReason(slow, host).find("AnswerTimeoutSeconds の 2.5 秒"), std::string::npos);
  EXPECT_EQ(FailureReason(stalled, host), "");
  EXPECT_EQ(FailureReason(refused, host), "");  // the prompt names the URL alone
}

}  // namespace
}  // namespace quillon::fetcher
