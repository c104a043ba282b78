#include "grapher/export/graphml_export.h"

#include <gtest/gtest.h>

#include "tests/grapher/drawing_fixture.h"

namespace quillon::grapher {
namespace {

using testing::AddKeyWords;
using testing::AddProduct;
using testing::Link;
using testing::TempFolder;

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

Catalogue Sample() {
  Catalogue c;
  AddKeyWords(c, {"tea", "<cup>"});
  AddProduct(c, "Green Tea & <cup>", 12, {1, 1});
  AddProduct(c, "black tea", 0, {0});
  AddProduct(c, "");
  Link(c);
  c.ProductTable[1].X = 1.5f;
  c.ProductTable[1].Y = -2.25f;
  return c;
}

TEST(WriteGraphMlTest, ProductsKeyWordsAndBothKindsOfEdges) {
  TempFolder folder;
  const std::string path = folder.file("out.graphml");
  ASSERT_TRUE(WriteGraphMl(Sample(), path).ok());
  const std::string xml = folder.read("out.graphml");
  EXPECT_EQ(Occurrences(xml, "<node id=\"p"), 3);
  EXPECT_EQ(Occurrences(xml, "<node id=\"k"), 2);
  EXPECT_EQ(Occurrences(xml, "relation\">similar</data>"), 3);  // the doubled entry stays two edges
  EXPECT_EQ(Occurrences(xml, "relation\">keyword</data>"), 3);  // tea: 0, 1; <cup>: 0
  EXPECT_NE(xml.find("Green Tea &amp; &lt;cup&gt;"), std::string::npos);
  EXPECT_NE(xml.find("<data key=\"asin\">A1</data>"), std::string::npos);
  EXPECT_NE(xml.find("<data key=\"salesRank\">12</data>"), std::string::npos);
  EXPECT_NE(xml.find("<data key=\"x\">1.5</data>"), std::string::npos);
  EXPECT_NE(xml.find("<data key=\"y\">-2.25</data>"), std::string::npos);
  EXPECT_NE(xml.find("source=\"k1\" target=\"p0\""), std::string::npos);
  EXPECT_FALSE(folder.exists("out.graphml.tmp"));
}

TEST(WriteGraphMlTest, TextThatXmlCannotHoldIsReplaced) {
  Catalogue c;
  AddProduct(c, std::string("bell\x07 and broken \xC3"));
  TempFolder folder;
  ASSERT_TRUE(WriteGraphMl(c, folder.file("g.graphml")).ok());
  const std::string xml = folder.read("g.graphml");
  EXPECT_EQ(xml.find('\x07'), std::string::npos);
  EXPECT_NE(xml.find("bell\xEF\xBF\xBD and broken \xEF\xBF\xBD<"), std::string::npos);
}

TEST(WriteGraphMlTest, AnUnwritableFolderIsAFailureThatNamesTheFile) {
  TempFolder folder;
  const std::string path = folder.file("missing/out.graphml");
  const Status status = WriteGraphMl(Sample(), path);
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.error().find(path), std::string::npos);
}

}  // namespace
}  // namespace quillon::grapher
