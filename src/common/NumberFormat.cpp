#include "NumberFormat.h"

#include <charconv>
#include <cmath>

namespace zotra {
namespace {

bool IsPlaceholder(QChar c) {
  return c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char('.') || c == QLatin1Char(',');
}

// Adds one to a string of decimal digits ("199" gives "200", "99" gives "100").
QString Increment(QString digits) {
  int i = digits.size() - 1;
  for (; i >= 0; --i) {
    if (digits.at(i) == QLatin1Char('9')) {
      digits[i] = QLatin1Char('0');
    } else {
      digits[i] = QChar(digits.at(i).unicode() + 1);
      break;
    }
  }
  if (i < 0) digits.prepend(QLatin1Char('1'));
  return digits;
}

struct Parsed {
  bool negative = false;
  QString integer;   // digits before the point
  QString fraction;  // digits after it
};

bool ParseDecimal(const QString& text, Parsed* out) {
  int i = 0;
  if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
    out->negative = text.at(i) == QLatin1Char('-');
    ++i;
  }
  bool point = false;
  bool digits = false;
  for (; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      (point ? out->fraction : out->integer).append(c);
      digits = true;
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

QString FormatDecimalText(const QString& decimal, const QString& picture) {
  Parsed number;
  if (!ParseDecimal(decimal, &number)) number = Parsed{};

  int first = 0;
  while (first < picture.size() && !IsPlaceholder(picture.at(first))) ++first;
  if (first == picture.size()) return picture;
  int last = picture.size() - 1;
  while (!IsPlaceholder(picture.at(last))) --last;
  const QString prefix = picture.left(first);
  const QString suffix = picture.mid(last + 1);
  const QString body = picture.mid(first, last - first + 1);

  const int point = body.indexOf(QLatin1Char('.'));
  const QString integerPicture = point < 0 ? body : body.left(point);
  QString fractionPicture;
  if (point >= 0) {
    for (QChar c : body.mid(point + 1)) {
      if (c == QLatin1Char('#') || c == QLatin1Char('0')) fractionPicture.append(c);
    }
  }
  const int places = fractionPicture.size();

  // Round to the picture's fraction digits, halves away from zero.
  QString fraction = number.fraction;
  const bool roundUp = fraction.size() > places && fraction.at(places) >= QLatin1Char('5');
  fraction = fraction.left(places).leftJustified(places, QLatin1Char('0'));
  QString digits = number.integer + fraction;
  if (digits.isEmpty()) digits = QStringLiteral("0");
  if (roundUp) digits = Increment(digits);
  QString integer = digits.left(digits.size() - places);
  fraction = digits.right(places);

  while (!integer.isEmpty() && integer.at(0) == QLatin1Char('0')) integer.remove(0, 1);
  bool zero = integer.isEmpty();
  for (QChar c : fraction) zero = zero && c == QLatin1Char('0');
  const int minimumDigits = int(integerPicture.count(QLatin1Char('0')));
  integer = integer.rightJustified(minimumDigits, QLatin1Char('0'));
  if (integerPicture.contains(QLatin1Char(','))) {
    for (int at = integer.size() - 3; at > 0; at -= 3) integer.insert(at, QLatin1Char(','));
  }
  for (int i = places - 1; i >= 0 && fractionPicture.at(i) == QLatin1Char('#') && fraction.at(i) == QLatin1Char('0');
       --i) {
    fraction.chop(1);
  }

  QString text = integer;
  if (point >= 0) text += QLatin1Char('.') + fraction;
  if (number.negative && !zero) text.prepend(QLatin1Char('-'));
  return prefix + text + suffix;
}

QString FormatNumber(double value, const QString& picture) {
  if (!std::isfinite(value)) value = 0;
  // The shortest text that reads back as the same double, so that 10.125
  // formats as the decimal 10.125 and not as its binary neighbour.
  char buffer[512];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return FormatDecimalText(QStringLiteral("0"), picture);
  return FormatDecimalText(QString::fromLatin1(buffer, int(result.ptr - buffer)), picture);
}

QString FormatNumber(qint64 value, const QString& picture) {
  return FormatDecimalText(QString::number(value), picture);
}

}  // namespace zotra
