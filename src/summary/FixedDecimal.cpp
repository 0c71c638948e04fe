#include "FixedDecimal.h"

#include "common/NumberFormat.h"

#include <cmath>
#include <limits>

namespace zotra {
namespace {

constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 kMinUnits = std::numeric_limits<qint64>::min();

std::optional<qint64> InRange(__int128 units) {
  if (units > kMaxUnits || units < kMinUnits) return std::nullopt;
  return static_cast<qint64>(units);
}

}  // namespace

std::optional<FixedDecimal> FixedDecimal::FromInteger(qint64 value) {
  const std::optional<qint64> units = InRange(static_cast<__int128>(value) * kScale);
  if (!units) return std::nullopt;
  return FixedDecimal(*units);
}

std::optional<FixedDecimal> FixedDecimal::FromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double scaled = std::nearbyint(value * kScale);  // the default rounding: halves to even
  // 2^63 itself is out of range; every double below it converts exactly.
  if (scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0) return std::nullopt;
  return FixedDecimal(static_cast<qint64>(scaled));
}

std::optional<FixedDecimal> FixedDecimal::Plus(const FixedDecimal& other) const {
  const std::optional<qint64> units = InRange(static_cast<__int128>(units_) + other.units_);
  if (!units) return std::nullopt;
  return FixedDecimal(*units);
}

std::optional<FixedDecimal> FixedDecimal::Times(const FixedDecimal& other) const {
  const __int128 product = static_cast<__int128>(units_) * other.units_;
  __int128 quotient = product / kScale;
  const __int128 remainder = product % kScale;
  // Round the dropped four digits, halves to even.
  const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
  if (twice > kScale || (twice == kScale && (quotient % 2 != 0))) quotient += product < 0 ? -1 : 1;
  const std::optional<qint64> units = InRange(quotient);
  if (!units) return std::nullopt;
  return FixedDecimal(*units);
}

QString FixedDecimal::ToText() const {
  const bool negative = units_ < 0;
  // The magnitude as unsigned, so that the smallest value has one too.
  const quint64 magnitude = negative ? 0 - static_cast<quint64>(units_) : static_cast<quint64>(units_);
  QString text = QString::number(magnitude / kScale);
  const quint64 fraction = magnitude % kScale;
  if (fraction != 0) {
    QString digits = QStringLiteral("%1").arg(fraction, kFractionDigits, 10, QLatin1Char('0'));
    while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
    text += QLatin1Char('.') + digits;
  }
  return negative ? QLatin1Char('-') + text : text;
}

QString FormatNumber(const FixedDecimal& value, const QString& picture) {
  return FormatDecimalText(value.ToText(), picture);
}

}  // namespace zotra
