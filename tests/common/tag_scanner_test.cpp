#include "common/tag_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon {
namespace {

struct TagCase {
  const char* name;
  const char* text;
  const char* tag;
  int n;
  const char* expectedText;
  int expectedEnd;
};

class TagScannerTest : public ::testing::TestWithParam<TagCase> {};

TEST_P(TagScannerTest, TextAndEndAgree) {
  const TagCase& c = GetParam();
  EXPECT_EQ(GetTagText(c.text, c.tag, c.n), c.expectedText);
  EXPECT_EQ(GetTagEnd(c.text, c.tag, c.n), c.expectedEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagScannerTest,
    ::testing::Values(TagCase{"first", "<a>x</a><a>y</a>", "a", 1, "x", 4},
                      TagCase{"second", "<a>x</a><a>y</a>", "a", 2, "y", 12},
                      TagCase{"missing_third", "<a>x</a><a>y</a>", "a", 3, "", 0},
                      TagCase{"case_ignored_both_tags", "<A>x</a>", "a", 1, "x", 4},
                      TagCase{"lower_case_title", "<title>Book</TITLE>", "Title", 1, "Book", 8},
                      TagCase{"no_closing_tag", "<a>x", "a", 1, "", 4},
                      TagCase{"first_closing_tag_ends", "<a><a>x</a></a>", "a", 1, "<a>x", 4},
                      TagCase{"nested_second_opening", "<a><a>x</a></a>", "a", 2, "x", 7},
                      TagCase{"bracket_is_part_of_tag", "<SimilarProducts>q</SimilarProducts>",
                              "SimilarProduct", 1, "", 0},
                      TagCase{"empty_element", "<a></a>", "a", 1, "", 4},
                      TagCase{"no_attributes", "<a x='1'>v</a>", "a", 1, "", 0},
                      TagCase{"full_width_tag_matches", "\xEF\xBC\x9C\xEF\xBD\x81\xEF\xBC\x9Ev</a>",
                              "a", 1, "v", 10},
                      TagCase{"japanese_content_kept",
                              "<T>\xE3\x82\xAB\xE3\x83\xA1\xE3\x83\xA9</T>", "t", 1,
                              "\xE3\x82\xAB\xE3\x83\xA1\xE3\x83\xA9", 4},
                      TagCase{"n_zero", "<a>x</a>", "a", 0, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Texts whose elements are nested, unclosed, in other widths or cases, or
// mixed with sound marks and bytes that are not UTF-8.
const std::vector<std::string> kWalks = {
    "",
    "<a>x</a><a>y</a>",
    "<A>x</a>",
    "<a>x",
    "<a><a>x</a></a>",
    "<a></a>",
    "<a>x</a><a>y",
    "<a><a><a>",
    "<a>1<a>2</a>3<a>4</a><a>5",
    "<as>no</as><a>yes</a>",
    "＜ａ＞全角＜／Ａ＞",
    "<a>ｶﾞ</a><a>が</a>",
    "か\u3099<a>mark before</a>",
    "</a><a>closing first</a>",
    "<a>\xff\xfe bytes</a>",
};

TEST(TagWalker, WalksEveryElementInOnePassLikeRepeatedScans) {
  const FoldedTag tag("a");
  for (const std::string& text : kWalks) {
    TagWalker walker(text, tag);
    EXPECT_EQ(FirstTagText(text, tag), GetTagText(text, "a", 1)) << text;
    std::int32_t n = 0;
    while (walker.next()) {
      ++n;
      EXPECT_EQ(walker.text(), GetTagText(text, "a", n)) << text << " #" << n;
      EXPECT_EQ(static_cast<std::int32_t>(walker.contentOffset() + 1), GetTagEnd(text, "a", n));
    }
    EXPECT_EQ(GetTagEnd(text, "a", n + 1), 0) << text;
  }
}

TEST(TagWalker, SearchesEachClosingTagOnce) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "<a><b>" + std::to_string(i) + "</b>";
  text += std::string(1'000'000, 'x');
  TagWalker walker(text, "a");
  int entries = 0;
  while (walker.next()) {
    ++entries;
    EXPECT_TRUE(walker.text().empty());
  }
  EXPECT_EQ(entries, 20000);
}

}  // namespace
}  // namespace quillon
