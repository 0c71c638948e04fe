// The total score's number: a decimal with four fraction digits held in a
// 64-bit integer (as a currency amount is kept). Sums and products of whole
// numbers are exact; a product with a fractional factor is rounded to four
// digits, halves to even. No operation ever wraps: a result outside the range
// gives no value, and the caller tells the user.
#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace zotra {

class FixedDecimal {
 public:
  static constexpr int kFractionDigits = 4;
  static constexpr qint64 kScale = 10000;

  constexpr FixedDecimal() = default;
  // The number units / 10000.
  static constexpr FixedDecimal FromUnits(qint64 units) { return FixedDecimal(units); }
  // No value when the number is outside the range (about ±9.2 × 10^14).
  static std::optional<FixedDecimal> FromInteger(qint64 value);
  // Rounded to four fraction digits, halves to even; no value when it is not
  // finite or outside the range.
  static std::optional<FixedDecimal> FromDouble(double value);
  // The largest number the type holds (922,337,203,685,477.5807).
  static constexpr FixedDecimal Max() { return FixedDecimal(0x7FFFFFFFFFFFFFFFLL); }

  qint64 Units() const { return units_; }
  bool IsZero() const { return units_ == 0; }

  std::optional<FixedDecimal> Plus(const FixedDecimal& other) const;
  std::optional<FixedDecimal> Times(const FixedDecimal& other) const;

  // The plain decimal text: "-12.5", "7", "0.0001" (no trailing zeros).
  QString ToText() const;

  auto operator<=>(const FixedDecimal&) const = default;

 private:
  explicit constexpr FixedDecimal(qint64 units) : units_(units) {}
  qint64 units_ = 0;
};

// The number formatted by a picture (common/NumberFormat.h).
QString FormatNumber(const FixedDecimal& value, const QString& picture);

}  // namespace zotra
