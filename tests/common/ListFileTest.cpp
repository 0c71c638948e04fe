#include "common/ListFile.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace zotra;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList AllFields(const QString& text) {
  ListReader r(text);
  QStringList out;
  QString f;
  while (r.Next(&f)) out << f;
  return out;
}

}  // namespace

TEST(ListReader, QuotedFieldsKeepTheirCommasAndBlanks) {
  EXPECT_EQ(AllFields(U("\"ContestName\",\"ALL JA, 1\"\r\n")), (QStringList{"ContestName", "ALL JA, 1"}));
  EXPECT_EQ(AllFields(U("\"  a  \",\"\"\r\n")), (QStringList{"  a  ", ""}));
}

TEST(ListReader, FieldsAreReadAcrossLineEnds) {
  EXPECT_EQ(AllFields(U("\"[主催者]\"\r\n\"JARL\"\r\n\"[C-Print]\"\r\n1\r\n")),
            (QStringList{U("[主催者]"), "JARL", "[C-Print]", "1"}));
  EXPECT_EQ(AllFields(U("\"a\"\n\"b\"\r\"c\"")), (QStringList{"a", "b", "c"}));
}

TEST(ListReader, BareFieldsAndBlanks) {
  EXPECT_EQ(AllFields(U("\"SelFreq\",\"7\",-1\r\n   \"x\" , 12  ,abc def \r\n")),
            (QStringList{"SelFreq", "7", "-1", "x", "12", "abc def"}));
  // A comma at the end of a line leaves one empty field; empty lines hold none.
  EXPECT_EQ(AllFields(U("\"a\",\r\n\r\n\r\n\"b\"")), (QStringList{"a", "", "b"}));
  EXPECT_EQ(AllFields(U(",,\r\n")), (QStringList{"", "", ""}));
}

TEST(ListReader, MissingClosingQuoteSpoilsOneFieldOnly) {
  EXPECT_EQ(AllFields(U("\"MyCall\",\"JA1ABC\r\n\"ContestName\",\"ALL JA1\"\r\n")),
            (QStringList{"MyCall", "JA1ABC", "ContestName", "ALL JA1"}));
  EXPECT_EQ(AllFields(U("\"a\"junk,\"b\"")), (QStringList{"a", "b"}));
  EXPECT_EQ(AllFields(U("\"")), QStringList{""});
}

TEST(ListReader, RestOfLineHandsOverTheRawRemainder) {
  ListReader r(U("\"1\",\"7\",\"CW\",\"rest, of\",\"line\"\r\n\"2\"\r\n"));
  EXPECT_EQ(r.NextField(), "1");
  EXPECT_EQ(r.NextField(), "7");
  EXPECT_EQ(r.NextField(), "CW");
  EXPECT_EQ(r.RestOfLine(), U("\"rest, of\",\"line\""));
  EXPECT_EQ(r.NextField(), "2");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(r.NextField(), "");
}

TEST(ListReader, EndOfFileMarkEndsTheText) {
  EXPECT_EQ(AllFields(U("\"a\"\r\n\x1a\"b\"")), QStringList{"a"});
}

TEST(ListReader, GarbageNeverCrashes) {
  QRandomGenerator rng(42);
  const QString alphabet = U("\",\r\n ab東\t\x1a");
  for (int round = 0; round < 2000; ++round) {
    QString text;
    const int n = rng.bounded(40);
    for (int i = 0; i < n; ++i) text += alphabet.at(rng.bounded(alphabet.size()));
    ListReader r(text);
    QString f;
    int guard = 0;
    while (r.Next(&f) && guard < 1000) ++guard;
    ASSERT_LT(guard, 1000) << text.toStdString();
  }
}

TEST(ListWriter, WritesWhatTheReaderReadsBack) {
  ListWriter w;
  w.Text("SelFreq").Text("7").Number(-1).EndRecord();
  w.Text(U("a\"b")).Text("c,d").Text("x\r\ny").EndRecord();
  w.Number(1).EndRecord();
  w.Decimal(-1.5).Decimal(0.95).Decimal(1.0).Decimal(-9.9 - 0.1).EndRecord();
  EXPECT_EQ(w.Result(), U("\"SelFreq\",\"7\",-1\r\n\"a＂b\",\"c,d\",\"xy\"\r\n1\r\n-1.5,0.95,1,-10\r\n"));
  EXPECT_EQ(AllFields(w.Result()),
            (QStringList{"SelFreq", "7", "-1", U("a＂b"), "c,d", "xy", "1", "-1.5", "0.95", "1", "-10"}));
  EXPECT_EQ(QuoteField(U("\"")), U("\"＂\""));
  EXPECT_EQ(SplitListLine(U("\"1\",\"7\", \"x\"")), (QStringList{"1", "7", "x"}));
}
