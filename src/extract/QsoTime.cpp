#include "QsoTime.h"

namespace zotra {
namespace {

// Two digits at a position; -1 when they are not digits.
int TwoDigits(QStringView text, int at) {
  if (text.size() < at + 2) return -1;
  const char16_t a = text[at].unicode(), b = text[at + 1].unicode();
  if (a < u'0' || a > u'9' || b < u'0' || b > u'9') return -1;
  return (a - u'0') * 10 + (b - u'0');
}

void PutDigits(char16_t* out, int value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  }
}

}  // namespace

int DaysInMonth(int year, int month) {
  switch (month) {
    case 2: return year % 4 == 0 ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
  }
}

void QsoTime::WriteKey(char16_t* key) const {
  PutDigits(key, year, 4);
  PutDigits(key + 4, month, 2);
  PutDigits(key + 6, day, 2);
  PutDigits(key + 8, hour, 2);
  PutDigits(key + 10, minute, 2);
}

QString QsoTime::Key() const {
  char16_t key[kQsoKeyLength];
  WriteKey(key);
  return QString(reinterpret_cast<const QChar*>(key), kQsoKeyLength);
}

QString QsoTime::Date() const {
  char16_t text[10];
  PutDigits(text, year, 4);
  text[4] = u'/';
  PutDigits(text + 5, month, 2);
  text[7] = u'/';
  PutDigits(text + 8, day, 2);
  return QString(reinterpret_cast<const QChar*>(text), 10);
}

QString QsoTime::Time() const {
  char16_t text[5];
  PutDigits(text, hour, 2);
  text[2] = u':';
  PutDigits(text + 3, minute, 2);
  return QString(reinterpret_cast<const QChar*>(text), 5);
}

bool ParseQsoTime(QStringView date, QStringView time, QsoTime* out) {
  const int yy = TwoDigits(date, 0), month = TwoDigits(date, 3), day = TwoDigits(date, 6);
  const int hour = TwoDigits(time, 0), minute = TwoDigits(time, 3);
  if (yy < 0 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    return false;
  }
  if (time.size() < 6) return false;
  const char16_t zone = time[5].unicode();
  if (zone != u'J' && zone != u'U') return false;
  const int year = yy < 50 ? 2000 + yy : 1900 + yy;
  if (day > DaysInMonth(year, month)) return false;
  *out = {year, month, day, hour, minute, static_cast<char>(zone)};
  return true;
}

QsoTime ToZone(const QsoTime& time, bool jst) {
  QsoTime t = time;
  const char zone = jst ? 'J' : 'U';
  if (t.zone == zone) return t;
  t.zone = zone;
  if (jst) {
    t.hour += 9;
    if (t.hour >= 24) {
      t.hour -= 24;
      if (++t.day > DaysInMonth(t.year, t.month)) {
        t.day = 1;
        if (++t.month > 12) {
          t.month = 1;
          ++t.year;
        }
      }
    }
  } else {
    t.hour -= 9;
    if (t.hour < 0) {
      t.hour += 24;
      if (--t.day < 1) {
        if (--t.month < 1) {
          t.month = 12;
          --t.year;
        }
        t.day = DaysInMonth(t.year, t.month);
      }
    }
  }
  return t;
}

}  // namespace zotra
