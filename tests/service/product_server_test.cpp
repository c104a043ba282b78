// The in-process server: answers, paths, faults and hostile data, seen as bytes
// on a loopback socket.
#include "service/product_server.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "tests/service/http_probe.h"

namespace quillon::service {
namespace {

using quillon::testing::RawAnswer;
using quillon::testing::RawGet;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

ProductCatalogue smallCatalogue() {
  ProductCatalogue catalogue;
  (void)catalogue.add(
      {"B000000001", "Cats <&> \"Dogs\" 'n' more", 12, {"B000000002", "B0UNKNOWN1"}});
  (void)catalogue.add({"B000000002", "ねこ", std::nullopt, {}});
  (void)catalogue.add({"../x", "dots", 1, {}});
  (void)catalogue.add({"A B", "blank", 1, {}});
  return catalogue;
}

TEST(ProductServer, AnswersAKnownProductOnOneLine) {
  ProductServer server(smallCatalogue());
  const RawAnswer answer = RawGet(server.port(), "/products/B000000001.xml");
  EXPECT_EQ(answer.status(), 200);
  EXPECT_THAT(answer.header("Content-Type"), HasSubstr("xml"));
  EXPECT_EQ(answer.body(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ItemLookupResponse><Items><Request>"
            "<IsValid>True</IsValid></Request><Item><ASIN>B000000001</ASIN><ItemAttributes>"
            "<Title>Cats &lt;&amp;&gt; &quot;Dogs&quot; &apos;n&apos; more</Title>"
            "</ItemAttributes><SalesRank>12</SalesRank><SimilarProducts>"
            "<SimilarProduct><ASIN>B000000002</ASIN><Title>ねこ</Title></SimilarProduct>"
            "<SimilarProduct><ASIN>B0UNKNOWN1</ASIN><Title></Title></SimilarProduct>"
            "</SimilarProducts></Item></Items></ItemLookupResponse>");
  EXPECT_EQ(server.productRequests(), 1u);
}

TEST(ProductServer, MapsEveryPathToAnAnswerWithoutFailing) {
  ProductServer server(smallCatalogue());
  struct Case {
    const char* name;
    std::string target;
    int status;
    ::testing::Matcher<const std::string&> body;
  };
  const Case cases[] = {
      {"product without rank", "/products/B000000002.xml", 200,
       HasSubstr("<Title>ねこ</Title></ItemAttributes><SimilarProducts></SimilarProducts>")},
      {"unknown ASIN", "/products/NOSUCH.xml", 200,
       HasSubstr("<IsValid>True</IsValid><Errors><Error><Code>")},
      {"percent-encoded dots", "/products/..%2Fx.xml", 200, HasSubstr("<Title>dots</Title>")},
      {"encoded blank", "/products/A%20B.xml", 200, HasSubstr("<Title>blank</Title>")},
      {"query ignored", "/products/B000000002.xml?x=1", 200, HasSubstr("<ASIN>B000000002</ASIN>")},
      {"broken escape kept", "/products/%zz.xml", 200, HasSubstr("%zz is not a valid value")},
      {"empty ASIN", "/products/.xml", 200, HasSubstr("<Errors>")},
      {"other suffix", "/products/B000000001.json", 404, HasSubstr("<title>404 Not Found</title>")},
      {"root", "/", 404, HasSubstr("Not Found")},
      {"script in path", "/%3Cscript%3E", 404, HasSubstr("&lt;script&gt;")},
      // Refused before it is read: nothing of the path comes back.
      {"very long path", "/products/" + std::string(100000, 'A') + ".xml", 414, IsEmpty()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RawAnswer answer = RawGet(server.port(), c.target);
    EXPECT_EQ(answer.status(), c.status);
    EXPECT_THAT(answer.body(), c.body);
  }
  const RawAnswer unknown = RawGet(server.port(), "/products/NOSUCH.xml");
  EXPECT_THAT(unknown.body(), Not(HasSubstr("<Title>")));
}

TEST(ProductServer, GivesScriptedFaultsInRequestOrder) {
  ServerOptions options;
  options.scriptedFaults = {Fault::Drop, Fault::Empty, Fault::NotFound, Fault::Invalid,
                            Fault::Truncate};
  ProductServer server(smallCatalogue(), options);
  const std::string target = "/products/B000000001.xml";

  const RawAnswer dropped = RawGet(server.port(), target);
  EXPECT_TRUE(dropped.connected);
  EXPECT_EQ(dropped.bytes, "");

  const RawAnswer empty = RawGet(server.port(), target);
  EXPECT_EQ(empty.status(), 200);
  EXPECT_EQ(empty.header("Content-Length"), "0");
  EXPECT_EQ(empty.body(), "");

  const RawAnswer notFound = RawGet(server.port(), target);
  EXPECT_EQ(notFound.status(), 404);
  EXPECT_THAT(notFound.body(), HasSubstr("<html>"));

  const RawAnswer invalid = RawGet(server.port(), target);
  EXPECT_THAT(invalid.body(), HasSubstr("<Request><IsValid>False</IsValid></Request>"));

  const RawAnswer truncated = RawGet(server.port(), target);
  const RawAnswer whole = RawGet(server.port(), target);
  EXPECT_EQ(truncated.header("Content-Length"), std::to_string(whole.body().size()));
  EXPECT_GT(truncated.body().size(), 0u);
  EXPECT_LT(truncated.body().size(), whole.body().size());
  EXPECT_EQ(whole.body().substr(0, truncated.body().size()), truncated.body());
}

TEST(ProductServer, DelaysAnswersAndCutsDelaysShortWhenStopping) {
  ServerOptions options;
  options.faults.delay = 1;
  options.faults.delayMs = 150;
  {
    ProductServer server(smallCatalogue(), options);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RawGet(server.port(), "/products/B000000002.xml").status(), 200);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
  }
  options.faults.delayMs = 600000;
  const auto start = std::chrono::steady_clock::now();
  std::thread client;
  {
    ProductServer server(smallCatalogue(), options);
    client = std::thread([port = server.port()] { RawGet(port, "/products/B000000002.xml"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  client.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST(ProductServer, ServesHostileData) {
  ProductCatalogue catalogue;
  CatalogueProduct crowded{"CROWDED", "many", 1, {}};
  for (int i = 0; i < 10000; ++i)
    crowded.similar.push_back(std::string("S").append(std::to_string(i)));
  (void)catalogue.add(crowded);
  (void)catalogue.add({"LONG", std::string(100000, 'x'), 1, {}});
  (void)catalogue.add({"HUGE", std::string(50 * 1024 * 1024, 'y'), 1, {}});
  (void)catalogue.add({"RAW", std::string("\x01\t\r\n\xff\xfe bytes"), 1, {}});
  (void)catalogue.add({std::string("C\x01TRL"), "control in ASIN", 1, {}});
  ProductServer server(std::move(catalogue));

  const std::string crowdedBody = RawGet(server.port(), "/products/CROWDED.xml").body();
  EXPECT_THAT(crowdedBody, HasSubstr("<ASIN>S9999</ASIN>"));
  EXPECT_THAT(RawGet(server.port(), "/products/LONG.xml").body(),
              HasSubstr("<Title>" + std::string(100000, 'x') + "</Title>"));
  EXPECT_GT(RawGet(server.port(), "/products/HUGE.xml").body().size(), 50u * 1024 * 1024);
  EXPECT_THAT(RawGet(server.port(), "/products/RAW.xml").body(),
              HasSubstr("<Title>\x01\t\r\n\xff\xfe bytes</Title>"));
  EXPECT_THAT(RawGet(server.port(), "/products/C%01TRL.xml").body(),
              HasSubstr("<Title>control in ASIN</Title>"));
}

TEST(ProductServer, RefusesAPortInUseAndBadShares) {
  ProductServer first(smallCatalogue());
  ServerOptions samePort;
  samePort.port = first.port();
  EXPECT_THROW(ProductServer(smallCatalogue(), samePort), std::runtime_error);

  ServerOptions tooMany;
  tooMany.faults.drop = 0.7;
  tooMany.faults.invalid = 0.7;
  EXPECT_THROW(ProductServer(smallCatalogue(), tooMany), std::runtime_error);

  ProductServer second(smallCatalogue());
  EXPECT_NE(second.port(), first.port());
  EXPECT_EQ(second.url("X"),
            "http://127.0.0.1:" + std::to_string(second.port()) + "/products/X.xml");
}

}  // namespace
}  // namespace quillon::service
