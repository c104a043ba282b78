#include "common/xml_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace quillon {
namespace {

struct DecodeCase {
  const char* name;
  std::string text;
  std::string expected;
  friend void PrintTo(const DecodeCase& row, std::ostream* out) { *out << row.name; }
};

class DecodeXmlTextTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeXmlTextTest, Decodes) {
  EXPECT_EQ(DecodeXmlText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeXmlTextTest,
    ::testing::Values(
        DecodeCase{"Plain", "Tom and Jerry", "Tom and Jerry"},
        DecodeCase{"FivePredefined", "&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        DecodeCase{"OnePass", "&amp;lt; &amp;amp;", "&lt; &amp;"},
        DecodeCase{"Decimal", "&#65;&#0066;&#12354;", "AB\xE3\x81\x82"},
        DecodeCase{"Hex", "&#x41;&#x3042;&#X41;&#x1F600;", "A\xE3\x81\x82&#X41;\xF0\x9F\x98\x80"},
        DecodeCase{"LastCodePoint", "&#x10FFFF;", "\xF4\x8F\xBF\xBF"},
        DecodeCase{"NotAllowedStay", "&#0;&#xD800;&#xDFFF;&#x110000;&#99999999999999999999;",
                   "&#0;&#xD800;&#xDFFF;&#x110000;&#99999999999999999999;"},
        DecodeCase{"CharactersXmlCannotHoldStay", "&#1;&#x1F;&#xFFFE;&#xFFFF;&#127;",
                   "&#1;&#x1F;&#xFFFE;&#xFFFF;\x7F"},
        DecodeCase{"TabAndLineEndsDecode", "&#9;&#10;&#13;&#x20;", "\t\n\r "},
        DecodeCase{"MalformedStay", "& &amp &#; &#x; &#12a; &#x4g; &AMP; &nbsp; &",
                   "& &amp &#; &#x; &#12a; &#x4g; &AMP; &nbsp; &"},
        DecodeCase{"BetweenOtherText", "a&amp;&amp b&#x26;&#38;c", "a&&amp b&&c"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
