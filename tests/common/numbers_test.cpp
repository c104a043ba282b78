#include "common/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillon {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOnly) {
  EXPECT_DOUBLE_EQ(LeadingNumber("1234"), 1234);
  EXPECT_DOUBLE_EQ(LeadingNumber("12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("  -3.25"), -3.25);
  EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e3x"), 1000);
  EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2);
  EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("1,5"), 1);  // "." is the decimal point whatever the locale
  EXPECT_DOUBLE_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::max());
}

TEST(IsNumber, AcceptsOnlyAWholeNumber) {
  EXPECT_TRUE(IsNumber("0"));
  EXPECT_TRUE(IsNumber(" 1.5 "));
  EXPECT_FALSE(IsNumber("1x"));
  EXPECT_FALSE(IsNumber(""));
  EXPECT_FALSE(IsNumber("True"));
}

TEST(Rounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt32(12.5), 12);
  EXPECT_EQ(RoundToInt32(13.5), 14);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(2.6), 3);
  EXPECT_EQ(RoundToInt32(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundToInt32(-1e12), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(ClampToInt32(std::int64_t{1} << 40), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace quillon
