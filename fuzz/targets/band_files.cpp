// The log program's band files as the totals program joins them: "HED.JARL"
// and a band's ".JARL" file (the input split in two) into the electronic log,
// in band order and in time order, and the band's ".MHz" text log into the
// text summary. Every QSO line of the files reaches the log once, cut to 80
// characters in time order, never lost, never doubled.
#include "FuzzSupport.h"

#include "common/Files.h"
#include "common/Text.h"
#include "summary/ElectronicLog.h"
#include "summary/OutputData.h"
#include "summary/TextSummary.h"

#include <QDate>

using namespace zotra;

namespace {

int DigitLines(const QStringList& lines) {
  int n = 0;
  for (const QString& l : lines) n += !l.isEmpty() && l.at(0) >= QLatin1Char('0') && l.at(0) <= QLatin1Char('9');
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [headerBytes, bandBytes] = fuzz::SplitInput(data, size);
  fuzz::WriteInput(QStringLiteral("HED.JARL"), headerBytes);
  fuzz::WriteInput(QStringLiteral("7.JARL"), bandBytes);
  fuzz::WriteInput(QStringLiteral("7.MHz"), bandBytes);
  const QString& folder = fuzz::ScratchFolder();

  QStringList header, band;
  ReadLines(folder + QStringLiteral("/HED.JARL"), &header);
  ReadLines(folder + QStringLiteral("/7.JARL"), &band);

  for (const char* order : {"Time", "Band"}) {
    OutputData output;
    output.definition = DefinitionEntries({QStringLiteral("[JARLFormat]"), QString::fromLatin1(order),
                                           QStringLiteral("MyCall"), QStringLiteral("JA1ZLO")});
    output.points = {{QStringLiteral("7"), QStringLiteral(" 2"), QStringLiteral(" 1"), QStringLiteral(" 0"),
                      QStringLiteral(" 0"), QStringLiteral(" 2")}};
    output.scoreText = QStringLiteral("2");
    output.today = QDate(2024, 6, 16);
    for (int version : {1, 2}) {
      bool found = false;
      const QStringList log = ElectronicLogPart(folder, output, version, &found);
      FUZZ_CHECK(found);
      if (order[0] == 'B') {
        FUZZ_CHECK(log == header + band);
      } else {
        FUZZ_CHECK(log.size() == header.size() + DigitLines(header) + DigitLines(band));
        for (int i = header.size(); i < log.size(); ++i) FUZZ_CHECK(log.at(i).size() <= 80);
      }
    }
    bool withoutLog = true;
    ElectronicLogLines(folder, output, 2, &withoutLog);
    FUZZ_CHECK(!withoutLog);
    const QStringList text = TextSummaryFileLines(folder, output);
    FUZZ_CHECK(text.size() >= band.size());
  }
  return 0;
}
