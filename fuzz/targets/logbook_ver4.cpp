// The older logbook generation: the "DBS" records and the "DBR" texts they
// point to (the input is split into the two files), read as the extraction
// reads them, then what the extraction does with each record.
#include "FuzzSupport.h"
#include "LogbookRules.h"

#include "extract/Logbook.h"
#include "extract/Ver4Logbook.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [dbsBytes, dbrBytes] = fuzz::SplitInput(data, size);
  const QString dbs = fuzz::WriteInput(QStringLiteral("MARQEN.DBS"), dbsBytes);
  const QString dbr = fuzz::WriteInput(QStringLiteral("MARQEN.DBR"), dbrBytes);

  Ver4Logbook book;
  if (!book.Open(dbs, dbr)) return 0;
  const qint32 count = std::min(book.HeaderCount(), book.RecordsInFile());
  FUZZ_CHECK(count >= 0 && static_cast<qint64>(book.RecordsInFile()) * 58 + 16 <= dbsBytes.size());
  const auto bandOf = [](const QString& frequency, qint32) {
    bool centimetre = false;
    const QString band = Ver4BandOfFrequency(frequency, &centimetre);
    return FrequencyBand{band, centimetre};
  };
  QsoRecord record;
  FUZZ_CHECK(!book.Read(0, &record).read && !book.Read(count + 1, &record).read);
  for (qint32 n = 1; n <= count && n <= 600; ++n) {
    const Ver4Logbook::ReadResult r = book.Read(n, &record);
    FUZZ_CHECK(r.read == (r.damage != Ver4Logbook::Damage::Record));
    if (r.read) fuzz::ApplyRecordRules(record, bandOf);
  }
  for (const char* frequency : {"7.025", "10368", "24048.1", "", "1.", "5", "299", "S435"}) {
    Ver4BandOfFrequency(QString::fromLatin1(frequency));
  }
  return 0;
}
