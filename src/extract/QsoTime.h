// The date and time of a logbook record: its key YYYYMMDDhhmm, its zone
// letter, and the move between JST and UTC (nine hours, across day, month and
// year ends; February has 29 days in a year divisible by 4).
#pragma once

#include <QString>
#include <QStringView>

namespace zotra {

inline constexpr int kQsoKeyLength = 12;

struct QsoTime {
  int year = 0;  // four digits
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  char zone = 'J';  // 'J' or 'U'

  // The key YYYYMMDDhhmm, written into a buffer of kQsoKeyLength characters.
  void WriteKey(char16_t* key) const;
  QString Key() const;
  QString Date() const;  // "YYYY/MM/DD"
  QString Time() const;  // "hh:mm"
  // The key as a number, YYYYMMDDhhmm: compared like the key.
  qint64 Number() const {
    return (((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute;
  }
};

// Reads the logbook's date "yy/mm/dd" (two-digit years below 50 are 20yy,
// the others 19yy) and time "hh:mm" with its zone letter "J" or "U" as the
// sixth character. False when either is no date or time of the calendar, or
// the zone letter is neither.
bool ParseQsoTime(QStringView date, QStringView time, QsoTime* out);

int DaysInMonth(int year, int month);

// The time in the contest's zone: JST is UTC + 9 hours.
QsoTime ToZone(const QsoTime& time, bool jst);


}  // namespace zotra
