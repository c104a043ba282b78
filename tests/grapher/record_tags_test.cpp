// The load's tag readers against the tag scanner they stand in for.
#include "grapher/catalogue/record_tags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/tag_scanner.h"

namespace quillon::grapher {
namespace {

std::vector<std::string> AllByScanner(std::string_view text, std::string_view tag) {
  std::vector<std::string> texts;
  for (std::int32_t n = 1; GetTagEnd(text, tag, n) != 0; ++n)
    texts.push_back(GetTagText(text, tag, n));
  return texts;
}

const std::vector<std::string> kTexts = {
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

TEST(RecordTagsTest, FirstTagGivesWhatTheScannerGives) {
  const FirstTag first("a");
  for (const std::string& text : kTexts)
    EXPECT_EQ(first.textIn(text), GetTagText(text, "a", 1)) << text;
}

TEST(RecordTagsTest, EachTagVisitsWhatTheScannerFindsInTurn) {
  const EachTag each("a");
  for (const std::string& text : kTexts) {
    std::vector<std::string> visited;
    each.forEachIn(text, [&](std::string_view entry) { visited.emplace_back(entry); });
    EXPECT_EQ(visited, AllByScanner(text, "a")) << text;
  }
}

TEST(RecordTagsTest, UnclosedEntriesAreReadInOnePass) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "<a><b>" + std::to_string(i) + "</b>";
  text += std::string(1'000'000, 'x');
  int entries = 0;
  EachTag("a").forEachIn(text, [&](std::string_view entry) {
    ++entries;
    EXPECT_TRUE(entry.empty());
  });
  EXPECT_EQ(entries, 20000);
}

}  // namespace
}  // namespace quillon::grapher
