// A program folder for the outputs after printing: the log program's files
// built by hand from their record layouts (76-byte electronic-log records of
// "HED.JARL" and "<band>.JARL", text logs "<band>.MHz"), the points file, the
// definition, and the context the print job hands on.
#pragma once

#include "SummaryFixture.h"
#include "common/Text.h"
#include "summary/SummaryOutputs.h"

#include <QDate>

namespace zotra::test {

// One electronic-log record (without its CR LF): date, time, band, mode, call,
// sent report and number, received report and number, multiplier, points,
// each left-aligned in its width (11, 6, 7, 6, 11, 4, 8, 4, 8, 7, 2 bytes);
// the band as the log program writes it: blank-padded on the left to 7 after
// two blanks ("    7  ", "  1.9  ").
inline QString ElogRecord(const QString& date, const QString& time, const QString& band, const QString& mode,
                          const QString& call, const QString& sentReport, const QString& sentNumber,
                          const QString& rcvReport, const QString& rcvNumber, const QString& multiplier,
                          const QString& points) {
  auto fit = [](const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); };
  const QString record = fit(date, 11) + fit(time, 6) + (band + "  ").rightJustified(7, QLatin1Char(' ')) +
                         fit(mode, 6) + fit(call, 11) + fit(sentReport, 4) + fit(sentNumber, 8) + fit(rcvReport, 4) +
                         fit(rcvNumber, 8) + fit(multiplier, 7) + fit(points, 2);
  EXPECT_EQ(record.size(), 74);
  return record;
}

// A QSO of the contest's day on a band, CW, 599 13M sent.
inline QString Qso(const QString& day, const QString& time, const QString& band, const QString& call,
                   const QString& received, const QString& multiplier) {
  return ElogRecord("2024-06-" + day + " ", time, band, "CW", call, "599", "13M", "599", received, multiplier, "1");
}

// The two records of "HED.JARL": the heading and the dashes.
inline QStringList HeaderRecords() {
  return {"DATE(JST)  TIME   MHz   Mode  CALLSIGN   SENTNo      RCVNo       Multi  PT", QString(74, QLatin1Char('-'))};
}

class OutputFolder : public SummaryFolder {
 public:
  OutputFolder() {
    totals.scoreText = "21,200";
    Definition();
  }

  // A file of CP932 lines, each ended by CR LF.
  void Lines(const QString& name, const QStringList& lines) const { t.WriteCp932(name, CrLf(lines)); }

  OutputContext Context() const {
    return OutputContext{frame, dialogs, t.File("ZOTRAW.TST"), totals, comment, club, QDate(2024, 6, 20)};
  }
  // The finished files of the sample station.
  QByteArray ElectronicLog(const QString& name = U("2024_ALL JA1 コンテスト.txt")) const {
    return t.ReadBytes("JA1ZLO_JARL/" + name);
  }
  QByteArray TextLog(const QString& name = U("2024_ALL JA1.Txt")) const { return t.ReadBytes("JA1ZLO/" + name); }

  mutable RecordedDialogs dialogs;
  TotalsSnapshot totals;
  QString comment;
  bool club = true;
};

// The expected bytes of a finished file: the lines in CP932, each with CR LF.
inline QByteArray Cp932Lines(const QStringList& lines) { return EncodeCp932(CrLf(lines)); }

}  // namespace zotra::test
