#include "fetcher/utf8_decoder.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <string>
#include <vector>

namespace quillon::fetcher {
namespace {

struct DecodeCase {
  const char* name;
  std::vector<std::uint8_t> bytes;
  std::string replacement;
  std::string expected;  // UTF-8
  // CTest lists a row by its name.
  friend void PrintTo(const DecodeCase& row, std::ostream* out) { *out << row.name; }
};

std::string Decode(const std::vector<std::uint8_t>& bytes, const std::string& replacement) {
  return Utf8ToString(std::span(bytes.data(), bytes.size()), replacement);
}

class Utf8ToStringTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8ToStringTest, Decodes) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(Decode(c.bytes, c.replacement), c.expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToStringTest,
    ::testing::Values(
        DecodeCase{"Empty", {}, "", ""},
        DecodeCase{"AsciiAndThreeByte", {0x41, 0xE3, 0x81, 0x82}, "", "A\u3042"},
        DecodeCase{"TwoByte", {0xC3, 0xA9}, "", "\u00E9"},
        DecodeCase{"TwoByteLowestLead", {0xC2, 0x80}, "", "\u0080"},
        DecodeCase{"OverlongTwoByteDropped", {0xC0, 0xA9}, "", ""},
        DecodeCase{"OverlongTwoByteReplaced", {0xC0, 0xA9}, "?", "??"},
        DecodeCase{"CutThreeByteDropped", {0xE3, 0x81}, "", ""},
        DecodeCase{"CutThreeByteReplacedByteByByte", {0xE3, 0x81}, "?", "??"},
        DecodeCase{"CutTwoByteAtEnd", {0x41, 0xC3}, "#", "A#"},
        DecodeCase{"BadContinuationRescansNextBytes", {0xE3, 0x41, 0x42}, "", "AB"},
        DecodeCase{"SecondContinuationBad", {0xE3, 0x81, 0x41}, "?", "??A"},
        DecodeCase{"TwoByteLeadBeforeAscii", {0xC3, 0x41}, "?", "?A"},
        DecodeCase{"FourByteDropped", {0xF0, 0x9F, 0x98, 0x80}, "", ""},
        DecodeCase{"FourByteGivesFourReplacements", {0xF0, 0x9F, 0x98, 0x80}, "?", "????"},
        DecodeCase{"LoneContinuation", {0x80, 0xBF}, "?", "??"},
        DecodeCase{"HighBytes", {0xF8, 0xFF, 0xFE}, "", ""},
        DecodeCase{"ByteOrderMarkKept", {0xEF, 0xBB, 0xBF, 0x41}, "", "\uFEFFA"},
        DecodeCase{"ZeroByteKept", {0x41, 0x00, 0x42}, "", "A\0B"s},
        DecodeCase{"OverlongThreeByteZero", {0xE0, 0x80, 0x80}, "", "\0"s},
        DecodeCase{"OverlongThreeByteTwoByteValue", {0xE0, 0x83, 0xA9}, "", "\u00E9"},
        DecodeCase{"EncodedSurrogateBecomesReplacementCharacter", {0xED, 0xA0, 0x80}, "", "\uFFFD"},
        DecodeCase{"LastThreeByteValue", {0xEF, 0xBF, 0xBF}, "", "\uFFFF"},
        DecodeCase{"LongReplacement", {0x41, 0xFF, 0x42}, "\uFFFD\uFFFD", "A\uFFFD\uFFFDB"},
        DecodeCase{
            "JapaneseTitle", {0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC, 0xEF, 0xBC, 0xA1}, "", "日本Ａ"}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

// Valid UTF-8 of one to three bytes comes through unchanged, whatever its length.
TEST(Utf8ToString, LongValidTextIsUnchanged) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += (i % 3 == 0) ? "x" : (i % 3 == 1) ? "é" : "語";
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  EXPECT_EQ(Decode(bytes, ""), text);
}

}  // namespace
}  // namespace quillon::fetcher
