// "センチメートル波.txt" as the extraction reads it, whatever an editor or an
// older menu left in it: every frequency finds the band of the first line
// whose range holds it, or none.
#include "FuzzSupport.h"

#include "common/Text.h"
#include "extract/Extraction.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("centimetre.txt"), data, size);
  CentimetreBands table(path);
  FUZZ_CHECK(table.Present());
  for (const char* frequency : {"10368.1", "10125", "24048.05", "47088", "2147483648", "-2147483649", "1e308",
                                "&H7FFFFFFF", "nan", ""}) {
    const QString band = table.BandOf(QString::fromLatin1(frequency));
    FUZZ_CHECK(band.isEmpty() || ValInt(band) == Val(band));
  }
  return 0;
}
