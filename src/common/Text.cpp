#include "Text.h"

#include <QtGlobal>

#include <array>
#include <cmath>
#include <memory>
#include <mutex>

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

namespace zotra {
namespace {

constexpr char kConverterName[] = "windows-31j";

struct ConverterDeleter {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

ConverterPtr OpenConverter() {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr conv(ucnv_open(kConverterName, &status));
  if (U_FAILURE(status) || !conv) {
    qFatal("The CP932 converter (%s) is not available: %s", kConverterName, u_errorName(status));
  }
  status = U_ZERO_ERROR;
  ucnv_setSubstChars(conv.get(), "?", 1, &status);
  // ¥ and ‾ (what the narrow conversion makes of ￥ and ￣) are written as the
  // single bytes that stand for them in the Japanese code page.
  ucnv_setFallback(conv.get(), true);
  return conv;
}

// One converter per thread; ICU converters keep state and are not shared.
UConverter* Converter() {
  thread_local ConverterPtr conv = OpenConverter();
  ucnv_reset(conv.get());
  return conv.get();
}

// CP932 byte length of every UTF-16 unit: 0 when CP932 cannot hold it.
const std::array<quint8, 65536>& LengthTable() {
  static const std::array<quint8, 65536> table = [] {
    std::array<quint8, 65536> t{};
    UConverter* conv = Converter();
    for (int u = 0; u < 65536; ++u) {
      if (u >= 0xD800 && u <= 0xDFFF) continue;  // surrogates: never alone
      if (u == '?') {
        t[u] = 1;
        continue;
      }
      const UChar ch = static_cast<UChar>(u);
      char out[8];
      UErrorCode status = U_ZERO_ERROR;
      ucnv_reset(conv);
      ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
      status = U_ZERO_ERROR;
      const int n = ucnv_fromUChars(conv, out, sizeof out, &ch, 1, &status);
      if (U_SUCCESS(status) && (n == 1 || n == 2)) t[u] = static_cast<quint8>(n);
    }
    // Restore the substituting behaviour for the converter of this thread.
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    return t;
  }();
  return table;
}

bool IsHighSurrogateAt(const QString& s, int i) {
  return i + 1 < s.size() && s.at(i).isHighSurrogate() && s.at(i + 1).isLowSurrogate();
}

// Runs an ICU transliterator (created once per thread) over the text.
QString Transliterate(const char* id, const QString& text) {
  struct Cache {
    std::unique_ptr<icu::Transliterator> toWide;
    std::unique_ptr<icu::Transliterator> toNarrow;
  };
  thread_local Cache cache;
  std::unique_ptr<icu::Transliterator>& slot =
      (qstrcmp(id, "Halfwidth-Fullwidth") == 0) ? cache.toWide : cache.toNarrow;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(id),
                                                   UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !slot) qFatal("ICU transliterator %s is not available", id);
  }
  icu::UnicodeString u(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
  slot->transliterate(u);
  return QString(reinterpret_cast<const QChar*>(u.getBuffer()), u.length());
}

}  // namespace

// ---- codec -------------------------------------------------------------------

QString DecodeCp932(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  UConverter* conv = Converter();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
  QString out(bytes.size(), Qt::Uninitialized);
  status = U_ZERO_ERROR;
  const int n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                              bytes.constData(), static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(n);
  // The converter marks an unassigned single byte with the control character
  // SUB; the suite shows every undecodable byte the same way.
  out.replace(QChar(0x1A), QChar(0xFFFD));
  return out;
}

QByteArray EncodeCp932(const QString& text, bool* lossy) {
  QByteArray out;
  if (text.isEmpty()) return out;
  const auto& table = LengthTable();
  bool lost = false;
  bool allAscii = true;
  for (QChar c : text) {
    if (c.unicode() >= 0x80) {
      allAscii = false;
      break;
    }
  }
  if (allAscii) {
    out = text.toLatin1();
  } else {
    // Replace what CP932 cannot hold by "?" first (a surrogate pair becomes one
    // "?"), so the converter only sees characters it can write.
    QString clean;
    clean.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
      if (IsHighSurrogateAt(text, i)) {
        clean.append(QLatin1Char('?'));
        lost = true;
        ++i;
        continue;
      }
      const QChar c = text.at(i);
      if (table[c.unicode()] == 0) {
        clean.append(QLatin1Char('?'));
        lost = true;
      } else {
        clean.append(c);
      }
    }
    UConverter* conv = Converter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    out.resize(clean.size() * 2 + 4);
    status = U_ZERO_ERROR;
    const int n = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                                  reinterpret_cast<const UChar*>(clean.utf16()),
                                  static_cast<int32_t>(clean.size()), &status);
    out.resize(U_SUCCESS(status) ? n : 0);
  }
  if (lossy && lost) *lossy = true;
  return out;
}

bool IsCp932Encodable(const QString& text) {
  const auto& table = LengthTable();
  for (QChar c : text) {
    if (table[c.unicode()] == 0) return false;
  }
  return true;
}

int Cp932CharLength(QChar c) {
  const int n = LengthTable()[c.unicode()];
  return n == 0 ? 1 : n;
}

int Cp932Length(const QString& text) {
  const auto& table = LengthTable();
  int total = 0;
  for (int i = 0; i < text.size(); ++i) {
    if (IsHighSurrogateAt(text, i)) {
      ++total;
      ++i;
      continue;
    }
    const int n = table[text.at(i).unicode()];
    total += n == 0 ? 1 : n;
  }
  return total;
}

QString LeftBytes(const QString& text, int maxBytes) {
  int used = 0;
  int i = 0;
  while (i < text.size()) {
    const int step = IsHighSurrogateAt(text, i) ? 2 : 1;
    const int n = step == 2 ? 1 : Cp932CharLength(text.at(i));
    if (used + n > maxBytes) break;
    used += n;
    i += step;
  }
  return text.left(i);
}

QString FixedField(const QString& text, int bytes, Align align) {
  if (bytes <= 0) return {};
  QString cut = LeftBytes(text, bytes);
  int used = Cp932Length(cut);
  // A double-byte character that would straddle the end: a blank in its place.
  if (used < bytes && cut.size() < text.size()) {
    cut.append(QLatin1Char(' '));
    ++used;
  }
  const QString pad(bytes - used, QLatin1Char(' '));
  return align == Align::Left ? cut + pad : pad + cut;
}

// ---- width conversions ---------------------------------------------------------

bool IsHalfwidthKatakana(QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; }

QString ToWide(const QString& text) {
  bool narrowFound = false;
  for (QChar c : text) {
    if ((c.unicode() >= 0x20 && c.unicode() < 0x7F) || IsHalfwidthKatakana(c)) {
      narrowFound = true;
      break;
    }
  }
  if (!narrowFound) return text;
  QString wide = Transliterate("Halfwidth-Fullwidth", text);
  // A voicing mark that joined no kana stays a mark of its own (゛ ゜).
  for (QChar& c : wide) {
    if (c.unicode() == 0x3099) c = QChar(0x309B);
    else if (c.unicode() == 0x309A) c = QChar(0x309C);
  }
  return wide;
}

QString ToNarrow(const QString& text) {
  bool wideFound = false;
  for (QChar c : text) {
    const ushort u = c.unicode();
    if ((u >= 0xFF01 && u <= 0xFF5E) || u == 0x3000 || (u >= 0x3001 && u <= 0x30FF) || u == 0xFFE5 ||
        u == 0xFFE3) {
      wideFound = true;
      break;
    }
  }
  if (!wideFound) return text;
  return Transliterate("Fullwidth-Halfwidth", text);
}

QString ToWideCallSign(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    QChar u = c;
    if (c.unicode() >= 'a' && c.unicode() <= 'z') u = QChar(c.unicode() - 'a' + 'A');
    const ushort v = u.unicode();
    if ((v >= 'A' && v <= 'Z') || (v >= '0' && v <= '9') || v == '/') {
      out.append(QChar(v - 0x20 + 0xFF00));
    } else {
      out.append(c);
    }
  }
  return out;
}

QString WidenHalfwidthKatakana(const QString& text) {
  QString out;
  out.reserve(text.size());
  int i = 0;
  while (i < text.size()) {
    if (!IsHalfwidthKatakana(text.at(i))) {
      out.append(text.at(i++));
      continue;
    }
    int j = i;
    while (j < text.size() && IsHalfwidthKatakana(text.at(j))) ++j;
    out.append(ToWide(text.mid(i, j - i)));
    i = j;
  }
  return out;
}

// ---- string helpers --------------------------------------------------------------

QString TrimLeftBlanks(const QString& text) {
  int i = 0;
  while (i < text.size() && text.at(i) == QLatin1Char(' ')) ++i;
  return text.mid(i);
}

QString TrimRightBlanks(const QString& text) {
  int n = text.size();
  while (n > 0 && text.at(n - 1) == QLatin1Char(' ')) --n;
  return text.left(n);
}

QString TrimBlanks(const QString& text) { return TrimLeftBlanks(TrimRightBlanks(text)); }

QString Upper(const QString& text) {
  // Case folding of letters only; a character whose upper case would change
  // the length (ß) stays as it is, so positions and byte widths keep.
  QString out = text;
  for (QChar& c : out) {
    const char32_t u = QChar::toUpper(c.unicode());
    if (u <= 0xFFFF) c = QChar(static_cast<char16_t>(u));
  }
  return out;
}

double Val(const QString& text) {
  QString s;
  s.reserve(text.size());
  for (QChar c : text) {
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) s.append(c);
  }
  if (s.size() >= 2 && s.at(0) == QLatin1Char('&')) {
    const QChar kind = s.at(1).toUpper();
    const int base = kind == QLatin1Char('H') ? 16 : kind == QLatin1Char('O') ? 8 : 0;
    if (base != 0) {
      qint64 v = 0;
      for (int i = 2; i < s.size(); ++i) {
        const int d = s.at(i).isDigit() ? s.at(i).digitValue()
                      : (base == 16 && s.at(i).toUpper() >= QLatin1Char('A') && s.at(i).toUpper() <= QLatin1Char('F'))
                          ? s.at(i).toUpper().unicode() - 'A' + 10
                          : -1;
        if (d < 0 || d >= base) break;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) break;
      }
      return static_cast<double>(v);
    }
  }
  int i = 0;
  QByteArray num;
  if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
    num.append(static_cast<char>(s.at(i).unicode()));
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (; i < s.size(); ++i) {
    const ushort u = s.at(i).unicode();
    if (u >= '0' && u <= '9') {
      num.append(static_cast<char>(u));
      digits = true;
    } else if (u == '.' && !point) {
      num.append('.');
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (i < s.size() && (s.at(i) == QLatin1Char('E') || s.at(i) == QLatin1Char('e') ||
                       s.at(i) == QLatin1Char('D') || s.at(i) == QLatin1Char('d'))) {
    int j = i + 1;
    QByteArray exp = "e";
    if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-'))) {
      exp.append(static_cast<char>(s.at(j).unicode()));
      ++j;
    }
    bool expDigits = false;
    while (j < s.size() && s.at(j).unicode() >= '0' && s.at(j).unicode() <= '9') {
      exp.append(static_cast<char>(s.at(j).unicode()));
      expDigits = true;
      ++j;
    }
    if (expDigits) num.append(exp);
  }
  bool ok = false;
  const double v = num.toDouble(&ok);
  return ok && std::isfinite(v) ? v : 0.0;
}

int ValInt(const QString& text) {
  const double v = std::nearbyint(Val(text));
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

QString StrNumber(qint64 value) {
  return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

QString ShortestDecimal(double value) {
  if (!std::isfinite(value)) return QStringLiteral("0");
  QString s = QString::number(value, 'f', 10);
  if (s.contains(QLatin1Char('.'))) {
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
  }
  if (s == QLatin1String("-0")) s = QStringLiteral("0");
  return s;
}

QString PadRight(const QString& text, int width) {
  return text.size() >= width ? text : text + QString(width - text.size(), QLatin1Char(' '));
}

QString PadLeft(const QString& text, int width, QChar fill) {
  return text.size() >= width ? text : QString(width - text.size(), fill) + text;
}

QStringList SplitLines(const QString& text) {
  QStringList lines;
  int start = 0;
  const int n = text.size();
  for (int i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      lines.append(text.mid(start, i - start));
      if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

QString OneLine(const QString& text) {
  QString out = text;
  out.remove(QLatin1Char('\r'));
  out.remove(QLatin1Char('\n'));
  out.remove(QChar(0));
  return out;
}

}  // namespace zotra
