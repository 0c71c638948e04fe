// The ADIF importer: any .adi file gives records, and every record either
// becomes a logbook entry whose texts fit their places, or is refused with a
// reason.
#include "FuzzSupport.h"

#include "Adif.h"
#include "LogbookFiles.h"

using namespace marqen;
namespace fuzz = zotra::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const AdifFile file = ParseAdif(bytes);
  FUZZ_CHECK(file.records.size() <= static_cast<qsizetype>(size));
  // The importer writes what it accepts into a logbook.
  HdbWriter writer;
  FUZZ_CHECK(writer.Open(fuzz::ScratchFolder() + QStringLiteral("/IMPORT.HDB")));
  int n = 0;
  for (const AdifRecord& record : file.records) {
    if (++n > 200) break;
    for (const QChar zone : {QLatin1Char('U'), QLatin1Char('J')}) {
      ImportOptions options;
      options.zone = zone;
      if (n % 2 == 0) options.areaField = QStringLiteral("STATE");
      QsoEntry entry;
      QString reason;
      if (!EntryFromAdif(record, options, &entry, &reason)) {
        FUZZ_CHECK(!reason.isEmpty());
        continue;
      }
      FUZZ_CHECK(!entry.fields[kCallField].isEmpty());
      FUZZ_CHECK(entry.fields[kDateField].size() == 8 && entry.fields[kTimeField].size() == 6);
      FUZZ_CHECK(BandCode(entry.fields[kFrequencyField].toStdString()) >= -1);
      QList<WriteNote> notes;
      FUZZ_CHECK(writer.Add(entry, &notes));
    }
    AreaCodeOfExchange(record.Value(QStringLiteral("SRX_STRING")));
  }
  FUZZ_CHECK(writer.Close());
  return 0;
}
