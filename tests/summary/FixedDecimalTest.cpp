// The score's fixed-point decimal.
#include "summary/FixedDecimal.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace zotra;

TEST(FixedDecimal, ExactWithinItsRangeAndNeverWraps) {
  const FixedDecimal one = FixedDecimal::FromUnits(FixedDecimal::kScale);
  EXPECT_EQ(FixedDecimal::FromInteger(482)->Units(), 4820000);
  EXPECT_EQ(FixedDecimal::FromInteger(922337203685477)->ToText(), "922337203685477");
  EXPECT_FALSE(FixedDecimal::FromInteger(922337203685478).has_value());
  EXPECT_FALSE(FixedDecimal::FromDouble(1e15).has_value());
  EXPECT_FALSE(FixedDecimal::FromDouble(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_EQ(FixedDecimal::FromDouble(1.5)->ToText(), "1.5");
  EXPECT_EQ(FixedDecimal::FromDouble(0.12344)->Units(), 1234);
  EXPECT_EQ(FixedDecimal::FromDouble(-2.25)->ToText(), "-2.25");

  EXPECT_EQ(one.Times(*FixedDecimal::FromInteger(7))->ToText(), "7");
  EXPECT_EQ(FixedDecimal::FromUnits(5).Times(FixedDecimal::FromUnits(5000))->Units(), 2);  // 0.00025 → 0.0002
  EXPECT_EQ(FixedDecimal::FromUnits(15).Times(FixedDecimal::FromUnits(5000))->Units(), 8);  // 0.00075 → 0.0008
  EXPECT_EQ(FixedDecimal::FromUnits(-15).Times(FixedDecimal::FromUnits(5000))->Units(), -8);
  EXPECT_FALSE(FixedDecimal::Max().Plus(FixedDecimal::FromUnits(1)).has_value());
  EXPECT_FALSE(FixedDecimal::FromInteger(100000000)->Times(*FixedDecimal::FromInteger(10000000)).has_value());
  EXPECT_EQ(FixedDecimal::Max().ToText(), "922337203685477.5807");
  EXPECT_EQ(FixedDecimal::FromUnits(std::numeric_limits<qint64>::min()).ToText(), "-922337203685477.5808");
}
