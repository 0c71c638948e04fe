// Number pictures.
#include "common/NumberFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zotra;

TEST(NumberFormat, BandPicturesOfTheTotals) {
  // "###.#" of a band in GHz: the point always shows.
  EXPECT_EQ(FormatNumber(10.125, "###.#"), "10.1");
  EXPECT_EQ(FormatNumber(24.0, "###.#"), "24.");
  EXPECT_EQ(FormatNumber(47.0, "###.#"), "47.");
  EXPECT_EQ(FormatNumber(10.0, "###.#"), "10.");
  EXPECT_EQ(FormatNumber(135.0, "###.#"), "135.");
  EXPECT_EQ(FormatNumber(75.5, "###.#"), "75.5");
  EXPECT_EQ(FormatNumber(0.0, "###.#"), ".");
  // The sort key of the points file.
  EXPECT_EQ(FormatNumber(7.0, "000000.0"), "000007.0");
  EXPECT_EQ(FormatNumber(1.9, "000000.0"), "000001.9");
  EXPECT_EQ(FormatNumber(10125.0, "000000.0"), "010125.0");
  EXPECT_EQ(FormatNumber(0.0, "000000.0"), "000000.0");
}

TEST(NumberFormat, ThousandsAndOptionalDigits) {
  EXPECT_EQ(FormatNumber(qint64(0), "##,###,###,###0"), "0");
  EXPECT_EQ(FormatNumber(qint64(999), "##,###,###,###0"), "999");
  EXPECT_EQ(FormatNumber(qint64(1000), "##,###,###,###0"), "1,000");
  EXPECT_EQ(FormatNumber(qint64(1234567), "##,###,###,###0"), "1,234,567");
  EXPECT_EQ(FormatNumber(qint64(922337203685477), "##,###,###,###0"), "922,337,203,685,477");
  EXPECT_EQ(FormatNumber(qint64(-1234), "#,##0"), "-1,234");
  EXPECT_EQ(FormatNumber(qint64(0), "###,###,###,###"), "");
  EXPECT_EQ(FormatNumber(qint64(12345), "###,###,###,###"), "12,345");
  EXPECT_EQ(FormatNumber(qint64(0), "######0"), "0");
  EXPECT_EQ(FormatNumber(qint64(42), "######0"), "42");
  EXPECT_EQ(FormatNumber(qint64(0), "###"), "");
  EXPECT_EQ(FormatNumber(qint64(7), "###"), "7");
  EXPECT_EQ(FormatNumber(qint64(123456), "####"), "123456");
}

TEST(NumberFormat, RoundingSignsAndLiterals) {
  EXPECT_EQ(FormatNumber(2.5, "0"), "3");
  EXPECT_EQ(FormatNumber(-2.5, "0"), "-3");
  EXPECT_EQ(FormatNumber(99.96, "##.#"), "100.");
  EXPECT_EQ(FormatNumber(99.96, "##.0"), "100.0");
  EXPECT_EQ(FormatNumber(-0.04, "0.0"), "0.0");
  EXPECT_EQ(FormatNumber(1.5, "0.0#"), "1.5");
  EXPECT_EQ(FormatNumber(1.25, "0.00"), "1.25");
  EXPECT_EQ(FormatNumber(-1.25, "00.0"), "-01.3");
  EXPECT_EQ(FormatNumber(3.0, "(#0)"), "(3)");
  EXPECT_EQ(FormatDecimalText("not a number", "0.0"), "0.0");
  EXPECT_EQ(FormatDecimalText("123456789012345678901234567890", "#,##0"),
            "123,456,789,012,345,678,901,234,567,890");
}
