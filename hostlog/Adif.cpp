#include "Adif.h"

#include "common/Text.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace marqen {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QString DecodeValue(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) text = zotra::DecodeCp932(bytes);
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// True when only blanks lie between `from` and the next "<" (or the end).
bool BlankUntilTag(const QByteArray& b, qsizetype from) {
  for (qsizetype i = from; i < b.size(); ++i) {
    if (b[i] == '<') return true;
    if (!IsBlank(b[i])) return false;
  }
  return true;
}

// The position after `characters` UTF-8 characters from `from`; -1 when the
// bytes end first.
qsizetype AfterCharacters(const QByteArray& b, qsizetype from, int characters) {
  qsizetype i = from;
  for (int n = 0; n < characters; ++n) {
    if (i >= b.size()) return -1;
    const unsigned char c = static_cast<unsigned char>(b[i]);
    i += c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  }
  return i <= b.size() ? i : -1;
}

bool IsUtf8Continuation(const QByteArray& b, qsizetype i) {
  return i < b.size() && (static_cast<unsigned char>(b[i]) & 0xC0) == 0x80;
}

}  // namespace

AdifFile ParseAdif(const QByteArray& b) {
  AdifFile file;
  qsizetype pos = 0;
  const qsizetype eoh = b.toUpper().indexOf("<EOH>");
  if (eoh >= 0) pos = eoh + 5;
  AdifRecord current;
  int number = 1;
  while (true) {
    const qsizetype open = b.indexOf('<', pos);
    if (open < 0) break;
    const qsizetype close = b.indexOf('>', open);
    if (close < 0) {
      file.problems << U("記録 %1: 閉じていないタグがあります").arg(number);
      break;
    }
    const QString tag = QString::fromLatin1(b.mid(open + 1, close - open - 1)).trimmed();
    const QStringList parts = tag.split(QLatin1Char(':'));
    const QString name = parts.at(0).trimmed().toUpper();
    pos = close + 1;
    if (name == QLatin1String("EOR")) {
      if (!current.fields.isEmpty()) {
        current.number = number++;
        file.records << current;
      }
      current = {};
      continue;
    }
    if (name == QLatin1String("EOH")) continue;
    bool ok = false;
    const int length = parts.size() >= 2 ? parts.at(1).trimmed().toInt(&ok) : 0;
    if (parts.size() < 2 || !ok || length < 0 || name.isEmpty()) {
      file.problems << U("記録 %1: タグ <%2> の長さが読めないため無視しました").arg(number).arg(tag);
      continue;
    }
    // The length counts bytes or characters; take the reading that ends the
    // value where the next tag begins.
    qsizetype end = pos + length;
    bool fits = end <= b.size() && !IsUtf8Continuation(b, end) && BlankUntilTag(b, end);
    if (!fits) {
      const qsizetype byChars = AfterCharacters(b, pos, length);
      if (byChars >= 0 && BlankUntilTag(b, byChars)) {
        end = byChars;
        fits = true;
      }
    }
    if (!fits) {
      qsizetype next = b.indexOf('<', pos);
      if (next < 0) next = b.size();
      end = next;
      while (end > pos && IsBlank(b[end - 1])) --end;
      file.problems << U("記録 %1: %2 の長さ %3 が値と合いません (次のタグまでを値にしました)")
                           .arg(number)
                           .arg(name)
                           .arg(length);
    }
    current.fields.insert(name, DecodeValue(b.mid(pos, end - pos)));
    pos = end;
  }
  if (!current.fields.isEmpty()) {
    current.number = number;
    file.records << current;
    file.problems << U("記録 %1: <EOR> がないまま終わっています (この記録も読みました)").arg(number);
  }
  return file;
}

QString AreaCodeOfExchange(const QString& exchange) {
  const QStringList words = zotra::Upper(exchange).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (auto it = words.crbegin(); it != words.crend(); ++it) {
    const QString& w = *it;
    if (w.isEmpty() || !w.at(0).isDigit()) continue;
    static const QRegularExpression power(QStringLiteral("^([0-9]+)([PLMH])$"));
    const auto m = power.match(w);
    if (m.hasMatch() && m.captured(1).size() != 5) return m.captured(1) + QLatin1Char(' ') + m.captured(2);
    return w;
  }
  return {};
}

QString FrequencyText(double megahertz) {
  QString text = QString::number(megahertz, 'f', 6);
  while (text.endsWith(QLatin1Char('0')) && text.size() - text.indexOf(QLatin1Char('.')) > 4) text.chop(1);
  return text;
}

namespace {

// A text on one line: line breaks and tabs become blanks.
QString OneLineText(QString text) {
  for (QChar& c : text) {
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) c = QLatin1Char(' ');
  }
  return zotra::TrimBlanks(text);
}

// The ADIF bands the logbook has bands for: their edges in MHz, and the
// frequency a record without FREQ is given.
struct AdifBand {
  const char* name;
  double low, high;
  const char* frequency;
  bool Holds(double mhz) const { return mhz >= low && mhz <= high; }
};

constexpr AdifBand kBands[] = {
    {"160M", 1.8, 2.0, "1.810"},         {"80M", 3.5, 4.0, "3.500"},          {"40M", 7.0, 7.3, "7.000"},
    {"30M", 10.1, 10.15, "10.100"},      {"20M", 14.0, 14.35, "14.000"},      {"17M", 18.068, 18.168, "18.068"},
    {"15M", 21.0, 21.45, "21.000"},      {"12M", 24.89, 24.99, "24.890"},     {"10M", 28.0, 29.7, "28.000"},
    {"6M", 50.0, 54.0, "50.000"},        {"2M", 144.0, 148.0, "144.000"},     {"70CM", 420.0, 450.0, "430.000"},
    {"23CM", 1240.0, 1300.0, "1260.000"}, {"13CM", 2300.0, 2450.0, "2400.000"}, {"6CM", 5650.0, 5925.0, "5650.000"},
    {"3CM", 10000.0, 10500.0, "10000.000"}, {"1.25CM", 24000.0, 24250.0, "24000.000"},
    {"6MM", 47000.0, 47200.0, "47000.000"},
};

// The band of an ADIF BAND text ("40m"); null for an empty or unknown one.
const AdifBand* BandNamed(const QString& name) {
  const QString wanted = zotra::Upper(name.trimmed());
  for (const AdifBand& b : kBands) {
    if (wanted == QLatin1String(b.name)) return &b;
  }
  return nullptr;
}

bool InSomeBand(double mhz) {
  return std::any_of(std::begin(kBands), std::end(kBands), [mhz](const AdifBand& b) { return b.Holds(mhz); });
}

QString First(const AdifRecord& r, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    const QString v = OneLineText(r.Value(QString::fromLatin1(n)));
    if (!v.isEmpty()) return v;
  }
  return {};
}

}  // namespace

bool EntryFromAdif(const AdifRecord& r, const ImportOptions& options, QsoEntry* entry, QString* reason,
                   QStringList* notes) {
  const auto note = [notes](const QString& text) {
    if (notes) notes->append(text);
  };
  *entry = {};
  auto& f = entry->fields;
  const QString call = zotra::Upper(First(r, {"CALL"}));
  if (call.isEmpty()) {
    *reason = U("CALL がありません");
    return false;
  }
  const QString dateText = First(r, {"QSO_DATE"});
  const QString timeText = First(r, {"TIME_ON"});
  const QDate date = QDate::fromString(dateText, QStringLiteral("yyyyMMdd"));
  if (!date.isValid()) {
    *reason = U("QSO_DATE \"%1\" が日付ではありません").arg(dateText);
    return false;
  }
  QTime time;
  if (timeText.size() == 4) time = QTime::fromString(timeText, QStringLiteral("HHmm"));
  else if (timeText.size() == 6) time = QTime::fromString(timeText, QStringLiteral("HHmmss"));
  if (!time.isValid()) {
    *reason = U("TIME_ON \"%1\" が時刻ではありません").arg(timeText);
    return false;
  }
  QDateTime when(date, QTime(time.hour(), time.minute()), Qt::UTC);
  const bool jst = options.zone == QLatin1Char('J');
  if (jst) when = when.addSecs(9 * 3600);
  if (when.date().year() < 1950 || when.date().year() > 2049) {
    *reason = U("年 %1 は記録できません (1950〜2049 年)").arg(when.date().year());
    return false;
  }
  // FREQ, checked against BAND: a FREQ in kHz ("7025" with BAND 40m) is taken
  // as kHz; FREQ and BAND that disagree otherwise keep FREQ, and say so.
  QString frequency;
  double mhz = 0;
  const QString freqText = First(r, {"FREQ"});
  const QString bandText = First(r, {"BAND"});
  const AdifBand* band = BandNamed(bandText);
  if (ParseFrequency(freqText.toStdString(), &mhz) && mhz > 0) {
    if (band && !band->Holds(mhz)) {
      if (!InSomeBand(mhz) && band->Holds(mhz / 1000)) {
        mhz /= 1000;
        note(U("FREQ %1 を kHz とみなして %2 MHz にしました (BAND %3)").arg(freqText, FrequencyText(mhz), bandText));
      } else {
        note(U("FREQ %1 MHz と BAND %2 が合いません (FREQ を使いました)").arg(freqText, bandText));
      }
    } else if (!band && !bandText.isEmpty()) {
      note(U("BAND \"%1\" は知らないバンドです (FREQ を使いました)").arg(bandText));
    } else if (!band && !InSomeBand(mhz)) {
      note(U("FREQ %1 MHz はどのバンドにもありません").arg(freqText));
    }
    frequency = FrequencyText(mhz);
  } else if (band) {
    frequency = QString::fromLatin1(band->frequency);
    if (!freqText.isEmpty()) {
      note(U("FREQ \"%1\" が周波数ではないので BAND %2 の %3 MHz にしました").arg(freqText, bandText, frequency));
    }
  } else {
    *reason = !bandText.isEmpty() ? U("BAND \"%1\" は知らないバンドです").arg(bandText)
              : freqText.isEmpty() ? U("FREQ も BAND もありません")
                                   : U("FREQ \"%1\" が周波数ではなく、BAND もありません").arg(freqText);
    return false;
  }
  const QString satellite = First(r, {"SAT_NAME"});
  const bool viaSatellite = !satellite.isEmpty() || zotra::Upper(First(r, {"PROP_MODE"})) == QLatin1String("SAT");
  if (viaSatellite) frequency.prepend(QLatin1Char('S'));

  QString mode = zotra::Upper(First(r, {"MODE"}));
  const QString submode = zotra::Upper(First(r, {"SUBMODE"}));
  // A submode names the mode, except where it only names a sideband or variant.
  if (!submode.isEmpty() && mode != QLatin1String("SSB") && mode != QLatin1String("CW") &&
      mode != QLatin1String("AM") && mode != QLatin1String("FM")) {
    mode = submode;
  }

  const QString areaSource = options.areaField.isEmpty() ? First(r, {"SRX_STRING", "SRX"})
                                                         : First(r, {qPrintable(zotra::Upper(options.areaField))});
  auto qsl = [&](const char* name) {
    const QString v = zotra::Upper(First(r, {name}));
    return v.isEmpty() ? QString() : v.left(1);
  };
  QString remarks1 = First(r, {"COMMENT", "COMMENT_INTL"});
  if (viaSatellite) remarks1 = zotra::TrimBlanks(QLatin1Char('%') + (satellite.isEmpty() ? U("SAT") : satellite) +
                                                 QLatin1String("% ") + remarks1);

  f[kCallField] = call;
  f[kDateField] = when.date().toString(QStringLiteral("yy/MM/dd"));
  f[kTimeField] = when.time().toString(QStringLiteral("HH:mm")) + (jst ? QLatin1Char('J') : QLatin1Char('U'));
  f[kHisRstField] = First(r, {"RST_SENT"});
  f[kMyRstField] = First(r, {"RST_RCVD"});
  f[kFrequencyField] = frequency;
  f[kModeField] = mode;
  f[kAreaField] = AreaCodeOfExchange(areaSource);
  f[kGridField] = First(r, {"GRIDSQUARE"});
  f[kQslField] = zotra::TrimBlanks((qsl("QSL_SENT").isEmpty() ? U("N") : qsl("QSL_SENT")) +
                                   (qsl("QSL_RCVD").isEmpty() ? U("N") : qsl("QSL_RCVD")) +
                                   (qsl("QSL_SENT_VIA").isEmpty() ? U(" ") : qsl("QSL_SENT_VIA")));
  f[kNameField] = First(r, {"NAME", "NAME_INTL"});
  f[kQthField] = First(r, {"QTH", "QTH_INTL"});
  f[kRemarks1Field] = remarks1;
  f[kRemarks2Field] = First(r, {"NOTES", "NOTES_INTL"});
  f[kPowerField] = First(r, {"TX_PWR"});
  f[kOperatorField] = zotra::Upper(First(r, {"OPERATOR", "STATION_CALLSIGN"}));
  return true;
}

}  // namespace marqen
