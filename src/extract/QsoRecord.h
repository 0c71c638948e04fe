// The field texts of one logbook record, numbered as the host logbook's
// MqwString numbers them.
#pragma once

#include <QString>

#include <array>

namespace zotra {

enum class QsoField : int {
  Number = 0,        // the logbook's own QSO number (not used)
  CallSign = 1,
  Date = 2,          // "yy/mm/dd"
  Time = 3,          // "hh:mm" and the zone letter "J" or "U"
  HisRst = 4,        // report sent
  MyRst = 5,         // report received
  Frequency = 6,     // MHz
  Mode = 7,
  AreaCode = 8,      // JCC/JCG number, possibly followed by text
  GridLocator = 9,
  QslMarks = 10,     // three marks, kept one by one
  Name = 11,
  Qth = 12,
  Remarks1 = 13,
  Remarks2 = 14,
  Extra15 = 15,      // not used
  Extra16 = 16,      // not used
};

inline constexpr int kQsoFieldCount = 17;

struct QsoRecord {
  qint32 number = 0;  // record number in the logbook, 1-based
  std::array<QString, kQsoFieldCount> fields;

  const QString& operator[](QsoField f) const { return fields[static_cast<std::size_t>(f)]; }
  QString& operator[](QsoField f) { return fields[static_cast<std::size_t>(f)]; }
};

}  // namespace zotra
