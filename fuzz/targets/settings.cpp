// The settings reader: any ZOTRAW.INI gives each key a value of at most 127
// bytes on one line, and a key written into it reads back as written, while
// the file keeps every other line.
#include "FuzzSupport.h"

#include "common/Settings.h"
#include "common/Text.h"

using namespace zotra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = fuzz::WriteInput(QStringLiteral("ZOTRAW.INI"), data, size);
  const QStringList sections = {QStringLiteral("ZOTRAM"), QStringLiteral("ZOTRAL"), QStringLiteral("zotrat")};
  const QStringList keys = {QStringLiteral("Cfg"), QStringLiteral("TST"), QStringLiteral("行間"),
                            QStringLiteral("FormTop"), QStringLiteral("")};
  for (const QString& section : sections) {
    for (const QString& key : keys) {
      const QString value = ReadProfileString(path, section, key, QStringLiteral("既定値"));
      FUZZ_CHECK(Cp932Length(value) <= kSettingValueBytes);
      FUZZ_CHECK(!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')));
    }
  }
  // Every line but the key's keeps its bytes, so another key reads as before,
  // bytes that are no CP932 included.
  const QString before = ReadProfileString(path, QStringLiteral("ZOTRAL"), QStringLiteral("行間"), QStringLiteral("-"));
  const QString value = QStringLiteral("新しい値 ") + QString::number(size);
  FUZZ_CHECK(WriteProfileString(path, QStringLiteral("ZOTRAM"), QStringLiteral("Cfg"), value));
  FUZZ_CHECK(ReadProfileString(path, QStringLiteral("zotram"), QStringLiteral("CFG"), {}) == value);
  FUZZ_CHECK(ReadProfileString(path, QStringLiteral("ZOTRAL"), QStringLiteral("行間"), QStringLiteral("-")) == before);
  return 0;
}
