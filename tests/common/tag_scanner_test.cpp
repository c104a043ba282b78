#include "common/tag_scanner.h"

#include <gtest/gtest.h>

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

TEST(TagWalker, WalksEveryElementInOnePassLikeRepeatedScans) {
  const std::string list =
      "<SimilarProduct><ASIN>1</ASIN></SimilarProduct><SimilarProduct><ASIN>2</ASIN>"
      "</SimilarProduct><similarproduct>open";
  TagWalker walker(list, "SimilarProduct");
  int n = 0;
  while (walker.next()) {
    ++n;
    EXPECT_EQ(walker.text(), GetTagText(list, "SimilarProduct", n)) << n;
    EXPECT_EQ(static_cast<int>(walker.contentOffset() + 1), GetTagEnd(list, "SimilarProduct", n));
  }
  EXPECT_EQ(n, 3);
  EXPECT_EQ(GetTagEnd(list, "SimilarProduct", 4), 0);
}

}  // namespace
}  // namespace quillon
