#include "Ver4Logbook.h"

#include "Logbook.h"

#include "common/Text.h"

#include <algorithm>
#include <cstring>

namespace zotra {
namespace {

constexpr int kHeaderBytes = 16;
constexpr int kRecordBytes = 58;
constexpr char kDbsSignature[] = "MQDBS400";
constexpr qint32 kWindowRecords = 512;

// Byte positions in a record.
constexpr int kCall = 0, kDesignator = 6, kYear = 10, kMonth = 11, kDay = 12, kHour = 13, kMinute = 14, kZone = 15,
              kHisRst = 16, kMyRst = 19, kFrequency = 22, kBand = 31, kMode = 32, kArea = 37, kGrid = 45, kQsl = 51,
              kTexts = 54;

// A text of a fixed-width field: up to its first NUL, blanks trimmed.
QString FieldText(const char* bytes, int width) {
  const void* nul = std::memchr(bytes, 0, static_cast<std::size_t>(width));
  const int length = nul ? static_cast<int>(static_cast<const char*>(nul) - bytes) : width;
  QByteArray b(bytes, length);
  for (char& c : b) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return TrimBlanks(DecodeCp932(b));
}

// Digits with at most one point, possibly after the satellite mark "S".
bool DecodableFrequency(const QString& text) {
  int i = text.startsWith(QLatin1Char('S')) ? 1 : 0;
  bool digit = false, point = false;
  for (; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isDigit() && c.unicode() < 0x80) digit = true;
    else if (c == QLatin1Char('.') && !point) point = true;
    else return false;
  }
  return digit;
}

QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

QString Ver4BandOfFrequency(const QString& text, bool* centimetre) {
  if (centimetre) *centimetre = false;
  if (text.startsWith(QLatin1Char('S'))) return QStringLiteral("SAT");
  // A text of five characters without a point has it at position 6.
  int point = text.indexOf(QLatin1Char('.')) + 1;
  if (point == 0 && text.size() == 5) point = 6;
  if (point == 6) {
    if (centimetre) *centimetre = true;
    return {};
  }
  const QString one = text.left(1), two = text.left(2), three = text.left(3);
  const QChar second = text.size() > 1 ? text.at(1) : QChar();
  const QChar third = text.size() > 2 ? text.at(2) : QChar();
  QString band;
  // In this order; a later match overrides an earlier one.
  if (two == QLatin1String("1.")) band = QStringLiteral("1.9");
  if (two == QLatin1String("3.")) band = QStringLiteral("3.5");
  if (one == QLatin1String("7")) band = QStringLiteral("7");
  if (two == QLatin1String("10")) band = QStringLiteral("10");
  if (two == QLatin1String("14")) band = QStringLiteral("14");
  if (two == QLatin1String("18")) band = QStringLiteral("18");
  if (two == QLatin1String("21")) band = QStringLiteral("21");
  if (two == QLatin1String("24") && (text.size() == 2 || third == QLatin1Char('.'))) band = QStringLiteral("24");
  if (two == QLatin1String("28")) band = QStringLiteral("28");
  if (two == QLatin1String("29")) band = QStringLiteral("28");
  if (one == QLatin1String("5") && second >= QLatin1Char('0') && second <= QLatin1Char('5')) band = QStringLiteral("50");
  if (three == QLatin1String("144") || three == QLatin1String("145")) band = QStringLiteral("144");
  if (two == QLatin1String("43")) band = QStringLiteral("430");
  if (two == QLatin1String("12")) band = QStringLiteral("1200");
  if (two == QLatin1String("24") && third >= QLatin1Char('0') && third <= QLatin1Char('9')) band = QStringLiteral("2400");
  if (one == QLatin1String("5") && second >= QLatin1Char('6') && second <= QLatin1Char('9')) band = QStringLiteral("5600");
  return band;
}

Ver4Logbook::~Ver4Logbook() { Close(); }

bool Ver4Logbook::Open(const QString& dbsPath, const QString& dbrPath) {
  Close();
  dbs_.setFileName(dbsPath);
  dbr_.setFileName(dbrPath);
  if (!dbs_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
  if (!dbr_.open(QIODevice::ReadOnly)) {
    dbs_.close();
    return false;
  }
  const QByteArray header = dbs_.read(kHeaderBytes);
  if (header.size() < kHeaderBytes || !header.startsWith(kDbsSignature)) {
    Close();
    return false;
  }
  const auto* h = reinterpret_cast<const unsigned char*>(header.constData());
  headerCount_ = static_cast<qint32>(h[8] | (h[9] << 8) | (h[10] << 16));
  recordsInFile_ = static_cast<qint32>(std::min<qint64>((dbs_.size() - kHeaderBytes) / kRecordBytes, 0xFFFFFF));
  window_.resize(static_cast<std::size_t>(kWindowRecords) * kRecordBytes);
  windowFirst_ = 0;
  return true;
}

void Ver4Logbook::Close() {
  if (dbs_.isOpen()) dbs_.close();
  if (dbr_.isOpen()) dbr_.close();
  headerCount_ = 0;
  recordsInFile_ = 0;
  windowFirst_ = 0;
}

const char* Ver4Logbook::RecordBytes(qint32 n) {
  if (windowFirst_ == 0 || n < windowFirst_ || n >= windowFirst_ + windowRecords_) {
    const qint32 first = (n - 1) / kWindowRecords * kWindowRecords + 1;
    const qint32 records = std::min(kWindowRecords, recordsInFile_ - first + 1);
    windowFirst_ = 0;
    const qint64 bytes = static_cast<qint64>(records) * kRecordBytes;
    if (!dbs_.seek(kHeaderBytes + static_cast<qint64>(first - 1) * kRecordBytes) ||
        dbs_.read(window_.data(), bytes) != bytes) {
      return nullptr;
    }
    windowFirst_ = first;
    windowRecords_ = records;
  }
  return window_.data() + static_cast<std::size_t>(n - windowFirst_) * kRecordBytes;
}

bool Ver4Logbook::ReadTexts(quint32 offset, QString texts[4]) {
  if (offset == 0) return true;
  if (offset < kHeaderBytes || !dbr_.seek(offset)) return false;
  // Four texts, each a length byte and its bytes: at most 4 × 256 bytes.
  const QByteArray b = dbr_.read(4 * 256);
  qsizetype at = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= b.size()) return false;
    const int length = static_cast<unsigned char>(b.at(at++));
    if (at + length > b.size()) return false;
    texts[i] = FieldText(b.constData() + at, length);
    at += length;
  }
  return true;
}

Ver4Logbook::ReadResult Ver4Logbook::Read(qint32 n, QsoRecord* record, bool whole) {
  ReadResult result;
  if (!IsOpen() || n < 1 || n > headerCount_ || n > recordsInFile_) return result;
  const char* r = RecordBytes(n);
  if (!r) return result;
  const auto byte = [r](int at) { return static_cast<unsigned char>(r[at]); };
  const int year = byte(kYear) < 128 ? 1900 + byte(kYear) : 1872 + byte(kYear);
  const int month = byte(kMonth), day = byte(kDay), hour = byte(kHour), minute = byte(kMinute);
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || byte(kZone) > 1) {
    result.damage = Damage::Record;
    return result;
  }
  QsoRecord& q = *record;
  for (QString& f : q.fields) f.clear();
  q.number = n;
  q[QsoField::Number] = QString::number(n);
  q[QsoField::Date] = TwoDigits(year % 100) + QLatin1Char('/') + TwoDigits(month) + QLatin1Char('/') + TwoDigits(day);
  q[QsoField::Time] = TwoDigits(hour) + QLatin1Char(':') + TwoDigits(minute) +
                      (byte(kZone) == 1 ? QLatin1Char('U') : QLatin1Char('J'));
  if (!whole) {
    result.read = true;
    return result;
  }

  QString texts[4];  // QTH, remarks 1, remarks 2, name
  quint32 offset = 0;
  for (int i = 0; i < 4; ++i) offset |= static_cast<quint32>(byte(kTexts + i)) << (8 * i);
  if (!ReadTexts(offset, texts)) {
    result.damage = Damage::Texts;
    for (QString& t : texts) t.clear();
  }
  // The call sign, padded to six characters; a portable designator beside it
  // is joined behind it, or in front of it when a remark holds "$DX".
  QString call = FieldText(r + kCall, 6);
  call = call.leftJustified(6, QLatin1Char(' '));
  const QString designator = FieldText(r + kDesignator, 4);
  if (!designator.isEmpty()) {
    const bool dx = texts[1].contains(QLatin1String("$DX")) || texts[2].contains(QLatin1String("$DX"));
    call = dx ? designator + QLatin1Char('/') + call : call + QLatin1Char('/') + designator;
  }
  q[QsoField::CallSign] = call;
  q[QsoField::HisRst] = FieldText(r + kHisRst, 3);
  q[QsoField::MyRst] = FieldText(r + kMyRst, 3);
  QString frequency = FieldText(r + kFrequency, 9);
  if (!DecodableFrequency(frequency)) {
    const QString band = BandOfCode(byte(kBand));  // the mark holds a FreqPCheck code
    if (band.isEmpty()) {
      result.damage = Damage::Record;
      return result;
    }
    result.guessedBand = band;
    frequency = band;
  }
  q[QsoField::Frequency] = frequency;
  q[QsoField::Mode] = FieldText(r + kMode, 5);
  q[QsoField::AreaCode] = FieldText(r + kArea, 8);
  q[QsoField::GridLocator] = FieldText(r + kGrid, 6);
  q[QsoField::QslMarks] = FieldText(r + kQsl, 3);
  q[QsoField::Name] = texts[3];
  q[QsoField::Qth] = texts[0];
  q[QsoField::Remarks1] = texts[1];
  q[QsoField::Remarks2] = texts[2];
  result.read = true;
  return result;
}

}  // namespace zotra
