#include "grapher/export/graphml_export.h"

#include <gtest/gtest.h>

#include "grapher/export/keyword_graphml.h"
#include "tests/grapher/drawing_fixture.h"
#include "tests/grapher/xml_check.h"

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
  EXPECT_EQ(testing::ParseXml(xml).error, "");
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

// What an XML reader gets back for a title: characters XML cannot hold are
// replaced, every line end comes back as written.
TEST(WriteGraphMlTest, TitlesReadBackAsWrittenOrWithReplacements) {
  struct Case {
    const char* name;
    std::string title;
    std::string readBack;
  };
  for (const Case& c : {Case{"ControlCharacter", "bell\x07.", "bell\xEF\xBF\xBD."},
                        Case{"BrokenUtf8", "broken \xC3.", "broken \xEF\xBF\xBD."},
                        Case{"CarriageReturns", "a\rb\r\nc", "a\rb\r\nc"},
                        Case{"LineFeedAndTab", "a\nb\tc", "a\nb\tc"},
                        Case{"ReferenceKeptByTheDecoder", "x&#1;y", "x&#1;y"}}) {
    Catalogue catalogue;
    AddProduct(catalogue, c.title);
    TempFolder folder;
    ASSERT_TRUE(WriteGraphMl(catalogue, folder.file("g.graphml")).ok()) << c.name;
    const testing::ParsedXml xml = testing::ParseXml(folder.read("g.graphml"));
    EXPECT_EQ(xml.error, "") << c.name;
    // Texts in order: kind, label, asin, title.
    ASSERT_GE(xml.texts.size(), 4u) << c.name;
    EXPECT_EQ(xml.texts[3], c.readBack) << c.name;
  }
}

TEST(WriteKeyWordGraphMlTest, KeyWordsWithPositionsAndWeightedRelations) {
  Catalogue c = Sample();  // keywords "tea" and "<cup>"
  c.KeyWordTable[0].Placed = true;
  c.KeyWordTable[0].X = 422;
  c.KeyWordTable[0].Y = 282.5f;
  c.KeyWordTable[0].Relation[1] = 0.125f;
  c.KeyWordTable[1].Relation[1] = 0.25f;
  TempFolder folder;
  ASSERT_TRUE(WriteKeyWordGraphMl(c, folder.file("k.graphml")).ok());
  const std::string xml = folder.read("k.graphml");
  const testing::ParsedXml parsed = testing::ParseXml(xml);
  EXPECT_EQ(parsed.error, "");
  // Per keyword: label, placed, hasProduct, x, y; then each edge's weight.
  EXPECT_EQ(parsed.texts, (std::vector<std::string>{"tea", "true", "false", "422", "282.5", "<cup>",
                                                    "false", "false", "0", "0", "0.125", "0.25"}));
  EXPECT_NE(xml.find("source=\"k0\" target=\"k1\""), std::string::npos);
  EXPECT_NE(xml.find("source=\"k1\" target=\"k1\""), std::string::npos);
  EXPECT_EQ(Occurrences(xml, "<node id=\"p"), 0);
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
