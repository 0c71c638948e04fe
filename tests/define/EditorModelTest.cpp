// The editor's working state without windows: band and mode slots mapped to
// and from the definition, the parts of the contest numbers, the contest
// name and period checks.
#include "define/EditorModel.h"
#include "menu/Environment.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zotra;

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Twenty bands: the standard ones, WARC bands, and extras in slots 18 and 19.
BandPlan TwentyBands() {
  BandPlan plan;
  plan.found = true;
  const QStringList names = {"1.9", "3.5", "7",    "10",   "14",   "18",    "21",  "24",    "28",    "50",
                             "144", "430", "1200", "2400", "5600", "10125", "SAT", "24000", "47000", "77000"};
  for (const QString& n : names) plan.bands.append({n, !IsStandardBand(n)});
  plan.modes = {"CW", "SSB", "FM"};
  return plan;
}

}  // namespace

TEST(EditorSlots, LoadingLooksBandsUpAmongAllTwentySlots) {
  EditorSlots s = EditorSlots::FromPlan(TwentyBands());
  ASSERT_EQ(s.bands().size(), 20);
  ASSERT_EQ(s.modes().size(), 6);
  EXPECT_EQ(s.modes().at(3).name, QString());

  ContestDefinition d;
  d.bands = {{"7", 1}, {"14", -1}, {"47000", 1}, {"77000", 3}, {"999", 1}};
  d.modes = {{"CW", 1}, {"SSB", 0}, {"FM", -2}, {"RTTY", 1}};
  EXPECT_TRUE(s.ApplyDefinition(d));  // 77000 has 3 points
  EXPECT_TRUE(s.bands().at(2).taken);
  EXPECT_FALSE(s.bands().at(4).taken);
  EXPECT_EQ(s.bands().at(4).points, -1);
  EXPECT_TRUE(s.bands().at(18).taken);
  EXPECT_TRUE(s.bands().at(19).taken);
  EXPECT_EQ(s.bands().at(19).points, 3);
  // A mode at 0 points is used (its QSOs count 0 points); a negative one is not.
  EXPECT_TRUE(s.modes().at(0).used);
  EXPECT_TRUE(s.modes().at(1).used);
  EXPECT_EQ(s.modes().at(1).points, 0);
  EXPECT_FALSE(s.modes().at(2).used);

  ContestDefinition out;
  s.FillDefinition(&out);
  ASSERT_EQ(out.bands.size(), 20);
  EXPECT_EQ(out.bands.at(2), (NamedPoints{"7", 1}));
  EXPECT_EQ(out.bands.at(0), (NamedPoints{"1.9", -1}));
  EXPECT_EQ(out.bands.at(19), (NamedPoints{"77000", 3}));
  EXPECT_EQ(out.modes, (QList<NamedPoints>{{"CW", 1}, {"SSB", 0}, {"FM", -1}}));

  // Points of 1 everywhere: the points do not differ.
  EditorSlots plain = EditorSlots::FromPlan(TwentyBands());
  ContestDefinition ones;
  ones.bands = {{"7", 1}};
  ones.modes = {{"CW", 1}, {"SSB", -1}};
  EXPECT_FALSE(plain.ApplyDefinition(ones));
}

TEST(EditorSlots, BoxesPointsAndTheBlueBandLimit) {
  EditorSlots s = EditorSlots::FromPlan(TwentyBands());
  s.SetBand(2, true);
  EXPECT_EQ(s.bands().at(2).points, 1);
  s.bands()[2].points = 4;
  s.SetMode(0, true);
  s.modes()[0].points = 2;
  s.OnePointEach();
  EXPECT_EQ(s.bands().at(2).points, 1);
  EXPECT_EQ(s.modes().at(0).points, 1);
  s.SetBand(2, false);
  EXPECT_EQ(s.bands().at(2).points, -1);
  // A mode slot without a name cannot be used.
  EXPECT_FALSE(s.SetMode(4, true));
  EXPECT_FALSE(s.modes().at(4).used);

  // Extras: 10, 18, 24, SAT, 24000, 47000, 77000; four of them at most.
  for (int slot : {3, 5, 7, 16}) {
    EXPECT_FALSE(s.ExtraLimitReached(slot));
    s.SetBand(slot, true);
  }
  EXPECT_EQ(s.TakenExtraCount(), 4);
  EXPECT_TRUE(s.ExtraLimitReached(17));
  EXPECT_FALSE(s.ExtraLimitReached(0));   // a standard band is never limited
  EXPECT_FALSE(s.ExtraLimitReached(16));  // one already taken stays
  EXPECT_EQ(s.TakenBandCount(), 4);
}

TEST(ContestNumbers, PartsKeepTheirOrderAndCaptions) {
  SentNumber sent;
  EXPECT_EQ(sent.Caption(), "HisRst(3)");
  sent.SetRemark("Rmk1", true);
  sent.SetFixedText(" 10H ");
  sent.SetLength("Rmk1", "2");
  EXPECT_EQ(sent.Caption(), "HisRst(3) Rmk1(2) 10H(3)");
  sent.SetFixedText("M");
  EXPECT_EQ(sent.Caption(), "HisRst(3) Rmk1(2) M(1)");
  // Removing a part closes the gap.
  sent.SetRemark("Rmk1", false);
  sent.SetRemark("Rmk2", true);
  EXPECT_EQ(sent.Caption(), "HisRst(3) M(1) Rmk2(0)");
  sent.SetFixedText("");
  EXPECT_EQ(sent.Items(), (QList<NumberItem>{{"HisRst", "3"}, {"Rmk2", "0"}}));
  EXPECT_EQ(sent.FixedText(), QString());

  ReceivedNumber received;
  EXPECT_TRUE(received.SetItem("Qth", true));
  EXPECT_TRUE(received.SetItem("Jcc", true));
  received.SetMyRst(true);
  received.SetLength("qth", "10");
  EXPECT_EQ(received.Caption(), "MyRst(3) Qth(10) Jcc(6)");
  EXPECT_TRUE(received.SetItem("QTH", false));
  EXPECT_EQ(received.Caption(), "MyRst(3) Jcc(6)");
  for (const char* item : {"GL", "HisName", "Rmk1", "Rmk2"}) EXPECT_TRUE(received.SetItem(item, true));
  EXPECT_EQ(received.PartCount(), 6);
  // The file holds six parts: a seventh is refused, not lost on saving.
  EXPECT_FALSE(received.SetItem("Qth", true));
  EXPECT_EQ(received.Items().size(), 6);
  EXPECT_EQ(ReceivedNumber::DefaultLength("HisName"), "12");
  EXPECT_EQ(ReceivedNumber::DefaultLength("Qth"), "28");

  ReceivedNumber loaded;
  loaded.SetItems({{"Jcc", "4"}, {"MyRst", "3"}, {"GL", "6"}});
  EXPECT_TRUE(loaded.MyRst());
  EXPECT_EQ(loaded.Caption(), "MyRst(3) Jcc(4) GL(6)");
}

TEST(ContestName, TheLastUnsuitableCharacterInTheListOrderIsReported) {
  EXPECT_TRUE(UnsuitableContestNameCharacter(U("ALL JAコンテスト")).isNull());
  EXPECT_EQ(UnsuitableContestNameCharacter("A.B"), QChar('.'));
  // "\" comes first in the list and "?" last: "?" is reported.
  EXPECT_EQ(UnsuitableContestNameCharacter("?a\\b"), QChar('?'));
  EXPECT_EQ(UnsuitableContestNameCharacter("a,b/c"), QChar(','));
  EXPECT_EQ(UnsuitableContestNameCharacter("x\"y"), QChar('"'));
  // Full-width forms are fine.
  EXPECT_TRUE(UnsuitableContestNameCharacter(U("ＡＢ．，")).isNull());
  EXPECT_EQ(UnsuitableContestNameMessage('.'),
            U("コンテスト名に 不適切な文字 【 . 】 が見つかりました\nその文字が必要な場合は 全角に変換してご利用ください"));
}

TEST(ContestPeriod, RealDatesOnlyAndTheEndNotBeforeTheStart) {
  const PeriodTime start{"2026", "04", "25", "21", "00"};
  const PeriodTime end{"2026", "04", "26", "20", "59"};
  EXPECT_EQ(PeriodProblem(start, end), QString());
  EXPECT_EQ(PeriodProblem(start, start), QString());
  EXPECT_EQ(PeriodProblem({"2026", "02", "30", "21", "00"}, end),
            U("コンテスト期間の 開始 日時が正しくありません\n2026/02/30 21:00"));
  EXPECT_TRUE(PeriodProblem(start, {"2026", "04", "26", "24", "00"}).startsWith(U("コンテスト期間の 終了")));
  EXPECT_TRUE(PeriodProblem(start, {"2026", "13", "26", "20", "00"}).startsWith(U("コンテスト期間の 終了")));
  EXPECT_EQ(PeriodProblem(end, start), U("コンテスト期間の 終了 が 開始 より前になっています"));

  EXPECT_EQ(PadPeriodField("5", 2), "05");
  EXPECT_EQ(PadPeriodField("", 2), "00");
  EXPECT_EQ(PadPeriodField("26", 4), "0026");
  EXPECT_EQ(PadPeriodField("20261", 4), "2026");
}

TEST(DateMultiplier, WarnedOnlyForSeveralBands) {
  EXPECT_TRUE(NeedsDateMultiplierWarning(2, "", "Date"));
  EXPECT_TRUE(NeedsDateMultiplierWarning(3, "Date", "Pfx"));
  EXPECT_FALSE(NeedsDateMultiplierWarning(1, "Date", "Date"));
  EXPECT_FALSE(NeedsDateMultiplierWarning(5, "Pfx", "Jcc"));
}
