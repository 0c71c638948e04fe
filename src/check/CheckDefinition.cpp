#include "CheckDefinition.h"

#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Text.h"

namespace zotra {

QStringList CheckBandList(const QStringList& activeBands) {
  QStringList list;
  bool microwave = false;
  for (const QString& band : activeBands) {
    const QString name = TrimBlanks(band);
    if (name.isEmpty()) continue;
    // The extraction writes every band above 10100 MHz as "10125": one
    // entry selects them all.
    if (Val(name) > 10100) {
      if (!microwave) list << kMicrowaveBand;
      microwave = true;
      continue;
    }
    if (!list.contains(name)) list << name;
  }
  return list;
}

CheckDefinition ReadCheckDefinition(const QString& path) {
  CheckDefinition d;
  bool found = false;
  ListReader reader = ListReader::FromFile(path, &found);
  d.found = found && FileExists(path);
  if (!d.found) return d;
  QStringList active;
  QString field;
  while (reader.Next(&field)) {
    const QString key = Upper(field);
    if (key == QLatin1String("SELFREQ")) {
      const QString band = reader.NextField();
      const QString points = reader.NextField();
      if (Val(points) >= 0) active << band;
    } else if (key == QLatin1String("MYCALL")) {
      d.myCall = reader.NextField();
    } else if (key == QLatin1String("CONTESTNAME")) {
      d.contestName = reader.NextField();
    } else if (key == QStringLiteral("開始")) {
      d.year = reader.NextField();
    }
  }
  d.bands = CheckBandList(active);
  return d;
}

}  // namespace zotra
